#include "common/Paths_win.h"

#include <windows.h>

namespace common {

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH * 2] = {};
    DWORD n = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    return n > 0 && n < sizeof(full) ? std::string(full, n) : path;
}

std::optional<std::string> ExistingFolder(const std::string& typed) {
    if (typed.empty()) return std::nullopt;
    std::string full = FullPath(typed);
    if (!FolderExists(full)) return std::nullopt;
    return full;
}

}  // namespace common
