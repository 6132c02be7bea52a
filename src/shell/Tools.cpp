#include "shell/Tools.h"

#include <algorithm>

namespace shell {

bool EmptyClipboardEnabled(int clipboardFormats) { return clipboardFormats > 0; }

ScreenArea VisiblePart(const ScreenArea& frame, const ScreenArea& screen) {
    ScreenArea part{std::max(frame.left, screen.left), std::max(frame.top, screen.top),
                    std::min(frame.right, screen.right), std::min(frame.bottom, screen.bottom)};
    return part.Empty() ? ScreenArea{} : part;
}

}  // namespace shell
