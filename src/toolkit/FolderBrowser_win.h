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

// The full path of `path` (a relative one taken from the current folder); `path`
// itself when it has none.
std::string FullPath(const std::string& path);
// True when `path` names an existing folder.
bool FolderExists(const std::string& path);
// The full path of the folder that `typed` names, when it exists (a relative
// path is taken from the current folder, which may change later).
std::optional<std::string> ExistingFolder(const std::string& typed);

}  // namespace toolkit
