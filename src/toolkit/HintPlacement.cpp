#include "toolkit/HintPlacement.h"

namespace toolkit {

HintBox KeepInsideDesktop(HintBox box, const HintBox& desktop) {
    auto shift = [&](int dx, int dy) {
        box.left += dx;
        box.right += dx;
        box.top += dy;
        box.bottom += dy;
    };
    if (box.right > desktop.right) shift(desktop.right - box.right, 0);
    if (box.bottom > desktop.bottom) shift(0, desktop.bottom - box.bottom);
    if (box.left < desktop.left) shift(desktop.left - box.left, 0);
    if (box.top < desktop.top) shift(0, desktop.top - box.top);
    return box;
}

}  // namespace toolkit
