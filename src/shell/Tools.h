#pragma once
// The rules of the Tools submenu that need no platform call.

namespace shell {

// "清空剪贴板" is offered only when the clipboard holds something to empty
// (`clipboardFormats` as CountClipboardFormats gives it; 0 also when it failed).
bool EmptyClipboardEnabled(int clipboardFormats);

// A rectangle in screen coordinates, right and bottom excluded.
struct ScreenArea {
    long left = 0, top = 0, right = 0, bottom = 0;
    long Width() const { return right - left; }
    long Height() const { return bottom - top; }
    bool Empty() const { return Width() <= 0 || Height() <= 0; }
    bool operator==(const ScreenArea&) const = default;
};

// What the window capture takes of a window's frame: the part of it that lies
// on the screen (all monitors together); empty when none does. Parts beyond
// the screen's edge have no pixels to take.
ScreenArea VisiblePart(const ScreenArea& frame, const ScreenArea& screen);

}  // namespace shell
