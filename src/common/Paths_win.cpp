#include "common/Paths_win.h"

#include <windows.h>

#include "common/Wide_win.h"

namespace common {

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPath(const std::string& path) {
    wchar_t full[MAX_PATH * 2] = {};
    DWORD n = GetFullPathNameW(Wide(path).c_str(), MAX_PATH * 2, full, nullptr);
    return n > 0 && n < MAX_PATH * 2 ? Utf8(std::wstring_view(full, n)) : path;
}

std::optional<std::string> ExistingFolder(const std::string& typed) {
    if (typed.empty()) return std::nullopt;
    std::string full = FullPath(typed);
    if (!FolderExists(full)) return std::nullopt;
    return full;
}

}  // namespace common
