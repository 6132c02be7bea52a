#pragma once
// Paths and folders of the file system, as the platform resolves them.
#include <optional>
#include <string>

namespace common {

// The full path of `path` (a relative one taken from the current folder); `path`
// itself when it has none.
std::string FullPath(const std::string& path);
// True when `path` names an existing folder.
bool FolderExists(const std::string& path);
// The full path of the folder that `typed` names, when it exists (a relative
// path is taken from the current folder, which may change later).
std::optional<std::string> ExistingFolder(const std::string& typed);

}  // namespace common
