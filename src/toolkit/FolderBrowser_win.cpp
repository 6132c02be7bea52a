#include "toolkit/FolderBrowser_win.h"

#include <shlobj.h>

#include "common/Paths_win.h"
#include "common/Wide_win.h"
#include "toolkit/Handles_win.h"

namespace toolkit {
namespace {

int CALLBACK StartAt(HWND picker, UINT msg, LPARAM, LPARAM start) noexcept {
    if (msg == BFFM_INITIALIZED && start) {
        SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, start);
        // Wine now and then ignores a selection made while the picker starts;
        // asked again from its running loop, it takes. `start` outlives the picker.
        PostMessageW(picker, BFFM_SETSELECTIONW, TRUE, start);
    }
    return 0;
}

}  // namespace

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title, const std::string& start) {
    ComApartment com;  // the shell's picker wants COM on this thread
    wchar_t name[MAX_PATH] = {};
    const std::wstring wideTitle = common::Wide(title), wideStart = common::Wide(start);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = name;
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &StartAt;
    // A folder that does not exist is no start: the picker opens at its default.
    info.lParam = common::FolderExists(start) ? reinterpret_cast<LPARAM>(wideStart.c_str()) : 0;
    UniqueCoTaskMemory<ITEMIDLIST> picked(SHBrowseForFolderW(&info));
    if (!picked) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(picked.get(), path)) return std::nullopt;
    return common::Utf8(path);
}

}  // namespace toolkit
