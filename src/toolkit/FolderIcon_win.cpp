#include "toolkit/FolderIcon_win.h"

#include <shellapi.h>

namespace toolkit {

HICON FolderIcon(int size) {
    SHSTOCKICONINFO stock{};
    stock.cbSize = sizeof(stock);
    HICON icon = nullptr;
    if (SUCCEEDED(SHGetStockIconInfo(SIID_FOLDER, SHGSI_ICONLOCATION, &stock))) {
        char path[MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, 0, stock.szPath, -1, path, MAX_PATH, nullptr, nullptr);
        UINT got = PrivateExtractIconsA(path, stock.iIcon, size, size, &icon, nullptr, 1, LR_DEFAULTCOLOR);
        if (got == 1 && icon) return icon;
    }
    SHFILEINFOA info{};
    SHGetFileInfoA("", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info),
                   SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    return info.hIcon;
}

}  // namespace toolkit
