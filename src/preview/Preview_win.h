#pragma once
// The preview window: the info block of a clip with, below a dotted line, its
// text, or with its picture below the info block. It sits with its lower right
// corner at the pointer, above the open menu, and never takes the keyboard.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "toolkit/Bitmap_win.h"
#include "toolkit/HintWindow_win.h"

namespace preview {

// Text and pictures are laid out in this width (at 96 dpi); pictures fit a square of it.
inline constexpr int kPreviewWidth = 300;

class TPreview : public toolkit::THintWindow {
public:
    TPreview();

    // Each showing takes the DPI of the monitor under the pointer: the preview's
    // font, margins, box and separator are those of that DPI; a picture keeps
    // its own pixels up to the box's size, so it is never blurred.
    // Shows `info` and, below it, the content as ContentBlock gives it.
    void ShowText(std::string_view content, const std::string& info);
    // Shows `info` and a copy of `bitmap` below it. A picture larger than the
    // box (300 x 300 at 96 dpi) is squeezed into the box-high area once, here, so the
    // preview neither copies nor paints millions of pixels it cannot show.
    void ShowBitmap(const toolkit::Bitmap& bitmap, const std::string& info);
    // The size of a preview of a picture of `width` x `height` with `info`; decides FStretch.
    RECT MeasureBitmap(const std::string& info, int width, int height);

    // Where the next preview goes: beside `window` (its screen rectangle,
    // right of it where there is room, else left), or with no window at the pointer.
    void SetBeside(std::optional<RECT> window) { FBeside = window; }

    // One line of text in the preview's font.
    int LineHeight() const;
    // The width text is laid out in, and the picture box's side, at the preview's DPI.
    int BoxSize() const noexcept { return Scaled(kPreviewWidth); }
    int SeparatorY() const noexcept { return FSeparatorY; }
    bool TextMode() const noexcept { return FTextMode; }
    bool Stretch() const noexcept { return FStretch; }

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    void DrawBitmap(HDC dc, const RECT& client);
    // FBitmap becomes `bitmap` squeezed to `width` x `height`.
    void AssignSqueezed(const toolkit::Bitmap& bitmap, int width, int height);

    // A rectangle of this size where the preview goes.
    RECT Placed(const RECT& size) const;

    std::optional<RECT> FBeside;
    toolkit::Bitmap FBitmap;  // at the size it is drawn
    int FSeparatorY = 0;
    bool FTextMode = false;
    bool FStretch = false;
};

}  // namespace preview
