#include "app/KindIcons_win.h"

#include "clips/ClipKind.h"
#include "toolkit/Dpi_win.h"
#include "toolkit/Handles_win.h"

namespace app {

HICON LoadKindIcon(int kind, int size) {
    // The image of that size, or the nearest one scaled by the system.
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kKindIconBase + kind), IMAGE_ICON, size, size, 0));
}

void LoadKindIcons(toolkit::ImageList& list, UINT dpi) {
    int size = toolkit::SmallIconSize(dpi);
    list.Reset(size, size);
    for (int kind = clips::kPlainText; kind <= clips::kLinkText; ++kind) {
        // The image of that size, or the nearest one scaled down or up by the system.
        toolkit::UniqueIcon icon(static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kKindIconBase + kind), IMAGE_ICON, size, size, 0)));
        list.AddIcon(icon.get());  // a missing icon still takes its index
    }
}

}  // namespace app
