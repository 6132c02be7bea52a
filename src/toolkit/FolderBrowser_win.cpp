#include "toolkit/FolderBrowser_win.h"

#include <shlobj.h>

#include "common/Paths_win.h"
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
    info.lParam = common::FolderExists(start) ? reinterpret_cast<LPARAM>(start.c_str()) : 0;
    UniqueCoTaskMemory<ITEMIDLIST> picked(SHBrowseForFolderA(&info));
    if (!picked) return std::nullopt;
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(picked.get(), path)) return std::nullopt;
    return std::string(path);
}

}  // namespace toolkit
