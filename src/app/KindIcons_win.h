#pragma once
// The clip-kind icons of the history menu, from the program's own icon
// resources, at the small-icon size of a DPI: each resource holds images of
// 16, 20, 24, 32 and 48 pixels, so the common scales need no stretching.
#include <windows.h>

#include "toolkit/ImageList_win.h"

namespace app {

// Resource of the icon of clip kind n: kKindIconBase + n.
inline constexpr int kKindIconBase = 100;

// The icon of clip kind `kind` at `size` pixels, for the caller to destroy; null when there is none.
HICON LoadKindIcon(int kind, int size);
// Fills `list` anew with one icon per clip kind, in kind order, at the small-icon size of `dpi`.
void LoadKindIcons(toolkit::ImageList& list, UINT dpi);

}  // namespace app
