#pragma once
// Names and texts of the Help submenu that need no platform call.
#include <string>
#include <string_view>

#include "Version.h"

namespace shell {

// The help file, beside the program.
inline constexpr std::string_view kHelpFile = "Pellacor.chm";

// The product has no web site yet. Until it has one, "主页..." opens the start
// page of the help file (a page inside kHelpFile, "file::/page"); an address
// with a scheme ("https://...") put here instead is opened as it is.
inline constexpr std::string_view kHomePage = "Pellacor.chm::/index.htm";

// What the About box shows: the system splits the title at "#" into the
// window's title and the program's line with the version.
inline constexpr std::string_view kAboutTitle = "关于  PELLACOR#PELLACOR " PELLACOR_VERSION_TEXT;
inline constexpr std::string_view kAboutCredit = "剪贴板历史工具 · Pellacor 的作者们";

// A file or address for the shell, with its parameters.
struct ShellTarget {
    std::string file;
    std::string parameters;
    bool operator==(const ShellTarget&) const = default;
};

// How `homePage` is opened: a web address by the shell as it is; a page of the
// help file by the help viewer (hh.exe), the file taken from `applicationFolder`.
ShellTarget HomePageTarget(std::string_view homePage, std::string_view applicationFolder);

}  // namespace shell
