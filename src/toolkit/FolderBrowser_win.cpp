#include "toolkit/FolderBrowser_win.h"

#include <shlobj.h>

#include "toolkit/Handles_win.h"

namespace toolkit {
namespace {

int CALLBACK StartAt(HWND picker, UINT msg, LPARAM, LPARAM start) noexcept {
    if (msg == BFFM_INITIALIZED && start) {
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, start);
        // Wine now and then ignores a selection made while the picker starts;
        // asked again from its running loop, it takes. `start` outlives the picker.
        PostMessageA(picker, BFFM_SETSELECTIONA, TRUE, start);
    }
    return 0;
}

}  // namespace

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

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title, const std::string& start) {
    ComApartment com;  // the shell's picker wants COM on this thread
    char name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = name;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &StartAt;
    // A folder that does not exist is no start: the picker opens at its default.
    info.lParam = FolderExists(start) ? reinterpret_cast<LPARAM>(start.c_str()) : 0;
    UniqueCoTaskMemory<ITEMIDLIST> picked(SHBrowseForFolderA(&info));
    if (!picked) return std::nullopt;
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(picked.get(), path)) return std::nullopt;
    return std::string(path);
}

}  // namespace toolkit
