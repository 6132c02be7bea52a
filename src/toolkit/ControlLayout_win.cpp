#include "toolkit/ControlLayout_win.h"

#include <string>

#include "toolkit/Handles_win.h"

namespace toolkit {
namespace {

SIZE TextExtent(HWND window, HFONT font, const std::wstring& text) {
    WindowDC dc(window);
    SelectedObject selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace

void ControlLayout::Place(HWND control, int x, int y, Extent width, Extent height) {
    placements_.push_back({control, x, y, width, height});
    Move(placements_.back());
}

void ControlLayout::LayOut(UINT dpi, HFONT font) {
    dpi_ = dpi;
    font_ = font;
    for (const Placement& placement : placements_) Move(placement);
}

void ControlLayout::Move(const Placement& placement) const {
    HWND control = placement.control;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SIZE text{}, line{};
    for (const Extent* extent : {&placement.width, &placement.height}) {
        if (extent->kind == Extent::Text && !text.cx) {
            std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
            int length = GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()));
            caption.resize(static_cast<size_t>(length));
            text = TextExtent(control, font_, caption);
        }
        if (extent->kind == Extent::Line && !line.cy) line = TextExtent(control, font_, L"Wg");
    }
    auto pixels = [&](const Extent& extent, LONG textPixels) {
        int extra = Scaled(extent.pixels);
        return extent.kind == Extent::Fixed  ? extra
               : extent.kind == Extent::Text ? textPixels + extra
                                             : line.cy + extra;
    };
    SetWindowPos(control, nullptr, Scaled(placement.x), Scaled(placement.y), pixels(placement.width, text.cx),
                 pixels(placement.height, text.cy), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace toolkit
