#pragma once
// Controls placed in pixels of a 96-dpi design and laid out again at another
// DPI, with the font of that DPI. The modal dialogs and the find window place
// their controls through one of these. A size is fixed, or follows the font
// (the control's own text, or one line, plus some pixels), so a caption still
// fits when the font grows by more or less than the DPI.
#include <windows.h>

#include <vector>

#include "toolkit/Dpi_win.h"

namespace toolkit {

struct Extent {
    enum Kind { Fixed, Text, Line } kind;
    int pixels;  // at 96 dpi: the size, or what the text's or the line's size gets on top
};

class ControlLayout {
public:
    UINT Dpi() const noexcept { return dpi_; }
    // `value` pixels at 96 dpi as pixels at the layout's DPI.
    int Scaled(int value) const noexcept { return Scale(value, dpi_); }

    // Gives `control` the font and its place, and keeps the place for LayOut.
    void Place(HWND control, int x, int y, Extent width, Extent height);
    // Later places are at `dpi` with `font` (kept by the caller); the controls
    // placed so far get both now.
    void LayOut(UINT dpi, HFONT font);
    void Clear() noexcept { placements_.clear(); }

private:
    struct Placement {
        HWND control;
        int x, y;
        Extent width, height;
    };
    void Move(const Placement& placement) const;

    UINT dpi_ = kDesignDpi;
    HFONT font_ = nullptr;
    std::vector<Placement> placements_;
};

}  // namespace toolkit
