#pragma once
// Handing a clip's text to other programs through the shell: a new mail, a
// link opened by the program registered for it, a link in a new browser window.
#include <string>

namespace shell {

// Opens a file, program or address with the program registered for it, after
// ending any menu that is still open (the clip pop-up stands on the history
// menu). Throws common::Win32Error with the shell's error code, or
// common::Failure with our text for its result (ShellResult.h).
void ShellOpen(const std::string& file, const std::string& parameters = {});

// The commands below report their failures themselves (common::Report).

// "发送邮件...": a new mail whose body is `text`.
void SendAsMail(const std::string& text);
// "打开...": the link, opened by the program registered for its scheme.
void Open(const std::string& link);
// "在新窗口中打开...": a new instance of the program registered for web pages,
// with the link on its command line. Which program that is, the shell tells
// from an empty page that exists only while the command runs.
void OpenInNewWindow(const std::string& link);

// That page: in the user's temporary folder, which is writable also when the
// program's own folder is not.
std::string TemporaryPagePath();

}  // namespace shell
