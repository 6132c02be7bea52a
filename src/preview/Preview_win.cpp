#include "preview/Preview_win.h"

#include <algorithm>

#include "preview/PreviewText.h"
#include "toolkit/Theme_win.h"

namespace preview {
namespace {
constexpr int kBitmapMargin = 10;

// A rectangle of this size with its lower right corner at the pointer.
RECT AtPointer(const RECT& size) {
    POINT pointer{};
    GetCursorPos(&pointer);
    return {pointer.x - size.right, pointer.y - size.bottom, pointer.x, pointer.y};
}
}  // namespace

RECT TPreview::Placed(const RECT& size) const {
    if (!FBeside) return AtPointer(size);
    const RECT& window = *FBeside;
    int right = GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int left = window.right + size.right <= right ? window.right : window.left - size.right;
    return {left, window.top, left + size.right, window.top + size.bottom};
}

TPreview::TPreview() {
    DoubleBuffered = true;
}

void TPreview::ShowText(std::string_view content, const std::string& info) {
    SetDpi(toolkit::DpiAtPointer());
    std::string shown = ContentBlock(content);
    RECT contentRect = CalcHintRect(BoxSize(), shown);
    RECT infoRect = CalcHintRect(BoxSize(), info);
    // The three line breaks before the content add only two blank lines once
    // the content is joined to the info text: one line less in height.
    int line = LineHeight();
    FSeparatorY = infoRect.bottom + line;
    RECT size{0, 0, std::max(contentRect.right, infoRect.right), contentRect.bottom + infoRect.bottom - line};
    FTextMode = true;
    ActivateHint(Placed(size), info + shown);
}

int TPreview::LineHeight() const {
    // 13 pixels in the usual tooltip font at 96 dpi; measured, so other fonts and sizes fit too.
    return CalcHintRect(BoxSize(), "x").bottom - Scaled(2);
}

void TPreview::ShowBitmap(const toolkit::Bitmap& bitmap, const std::string& info) {
    SetDpi(toolkit::DpiAtPointer());
    RECT size = MeasureBitmap(info, bitmap.Width(), bitmap.Height());
    if (FStretch) {
        // The area the picture fills: the client width less the margins, as high as the box.
        int border = 2 * GetSystemMetrics(SM_CXBORDER);
        AssignSqueezed(bitmap, std::max<int>(1, size.right - border - 2 * Scaled(kBitmapMargin)), BoxSize());
    } else {
        FBitmap.Assign(bitmap);
    }
    FTextMode = false;
    ActivateHint(Placed(size), info);
}

RECT TPreview::MeasureBitmap(const std::string& info, int width, int height) {
    RECT r = CalcHintRect(BoxSize(), info);
    int box = BoxSize(), margins = 2 * Scaled(kBitmapMargin);
    FStretch = width > box || height > box;
    if (FStretch) {
        r.bottom += box + margins;
        r.right = std::max<LONG>(r.right, box + margins);
    } else {
        r.bottom += height + margins;
        r.right = std::max<LONG>(r.right, width + margins);
    }
    return r;
}

void TPreview::AssignSqueezed(const toolkit::Bitmap& bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    toolkit::UniqueBitmap squeezed(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    toolkit::UniqueDC source(CreateCompatibleDC(nullptr)), target(CreateCompatibleDC(nullptr));
    if (!squeezed || !source || !target) {
        FBitmap.Clear();  // nothing drawn rather than a stale picture
        return;
    }
    {
        toolkit::SelectedObject from(source.get(), bitmap.Handle());
        toolkit::SelectedObject to(target.get(), squeezed.get());
        // Its proportions are not kept: the picture fills the area.
        SetStretchBltMode(target.get(), HALFTONE);
        SetBrushOrgEx(target.get(), 0, 0, nullptr);
        StretchBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, bitmap.Width(), bitmap.Height(), SRCCOPY);
    }
    FBitmap.LoadFromClipboardFormat(squeezed.get(), nullptr);
}

void TPreview::Paint(HDC dc, const RECT& client) {
    if (FTextMode) {
        // A dotted pen is one pixel wide: a thicker separator is drawn as several lines.
        const toolkit::Palette& colours = toolkit::Theme::Current().Colours();
        toolkit::UniqueGdiObject pen(CreatePen(PS_DOT, 1, colours.grayText));
        toolkit::SelectedObject selected(dc, pen.get());
        SetBkColor(dc, colours.info);
        for (int row = 0; row < Scaled(1); ++row) {
            MoveToEx(dc, Scaled(5), FSeparatorY + row, nullptr);
            LineTo(dc, client.right - Scaled(5), FSeparatorY + row);
        }
    } else {
        DrawBitmap(dc, client);
    }
    THintWindow::Paint(dc, client);  // the caption over everything else
    // Stay above the open menu, which may have come up after us.
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TPreview::DrawBitmap(HDC dc, const RECT& client) {
    if (FBitmap.Empty()) return;
    toolkit::UniqueDC source(CreateCompatibleDC(dc));
    toolkit::SelectedObject picture(source.get(), FBitmap.Handle());
    HPALETTE palette = FBitmap.Palette();
    HPALETTE previous = palette ? SelectPalette(dc, palette, TRUE) : nullptr;
    if (palette) RealizePalette(dc);
    int margin = Scaled(kBitmapMargin);
    if (FStretch) {
        // Already squeezed to the area (ShowBitmap): this copies pixel for pixel.
        StretchBlt(dc, margin, client.bottom - BoxSize() - margin, client.right - 2 * margin, BoxSize(), source.get(),
                   0, 0, FBitmap.Width(), FBitmap.Height(), SRCCOPY);
    } else {
        BitBlt(dc, margin, client.bottom - FBitmap.Height() - margin, FBitmap.Width(), FBitmap.Height(), source.get(),
               0, 0, SRCCOPY);
    }
    if (previous) SelectPalette(dc, previous, TRUE);
}

}  // namespace preview
