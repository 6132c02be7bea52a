#include "app/KindIcons_win.h"

#include "clips/ClipKind.h"
#include "toolkit/Dpi_win.h"
#include "toolkit/Handles_win.h"

namespace app {

HICON LoadKindIcon(int kind, int size) { return toolkit::LoadIconOfSize(kKindIconBase + kind, size); }

void LoadKindIcons(toolkit::ImageList& list, UINT dpi) {
    int size = toolkit::SmallIconSize(dpi);
    list.Reset(size, size);
    for (int kind = clips::kPlainText; kind <= clips::kLinkText; ++kind) {
        toolkit::UniqueIcon icon(LoadKindIcon(kind, size));
        list.AddIcon(icon.get());  // a missing icon still takes its index
    }
}

}  // namespace app
