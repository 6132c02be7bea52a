#pragma once
// The Help submenu of the general menu: the help file, the home page, About.
#include <windows.h>

#include <string>

namespace shell {

// "内容...": the help file beside the program, in the system's help viewer.
void ShowHelpContents(const std::string& applicationFolder);
// "主页...": the product's home page (kHomePage).
void ShowHomePage(const std::string& applicationFolder);
// "关于...": the system's About box with our title, credit line and icon,
// owned (and meanwhile disabled) by `owner`. Returns when it is closed.
void ShowAbout(HWND owner);

}  // namespace shell
