#pragma once
// The shell's folder picker.
#include <windows.h>

#include <optional>
#include <string>

namespace toolkit {

// Shows the picker owned by `owner` (disabled meanwhile) with `title`, offering
// file-system folders only and starting at `start` when that folder exists
// (at the picker's default otherwise). The picked folder as the shell gives
// it, or nothing when the user cancelled.
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title, const std::string& start);

}  // namespace toolkit
