#include "shell/Help_win.h"

#include <shellapi.h>

#include "common/Report_win.h"
#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "shell/Help.h"
#include "shell/OpenAndSend_win.h"

namespace shell {

void ShowHelpContents(const std::string& applicationFolder) {
    common::RunReported([&] { ShellOpen(applicationFolder + std::string(kHelpFile)); });
}

void ShowHomePage(const std::string& applicationFolder) {
    ShellTarget target = HomePageTarget(kHomePage, applicationFolder);
    common::RunReported([&] { ShellOpen(target.file, target.parameters); });
}

void ShowAbout(HWND owner) {
    // The program's icon is resource 1; an icon from LoadIcon is shared and never destroyed.
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    common::RunReported([&] {
        if (!ShellAboutW(owner, common::Wide(kAboutTitle).c_str(), common::Wide(kAboutCredit).c_str(), icon))
            common::ThrowLastErrorOrNoReason();
    });
}

}  // namespace shell
