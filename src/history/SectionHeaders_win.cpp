// The two section headers of the history menu: the section's name in a
// quieter colour that still reads well, centred on an engraved rule that
// stops short of the words. Measured
// and drawn in the menu font the DC holds; the spacing is scaled to the DPI
// of the menu (pixels below are those at 96 dpi).
#include <windows.h>

#include <string_view>

#include "common/Wide_win.h"
#include "history/SectionHeaders_win.h"
#include "toolkit/Dpi_win.h"
#include "toolkit/Handles_win.h"
#include "toolkit/Theme_win.h"

namespace history {
namespace {

SIZE TextSize(HDC dc, std::string_view text) {
    SIZE size{};
    const std::wstring wide = common::Wide(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

void Line(HDC dc, COLORREF colour, int left, int right, int y, int width) {
    RECT line{left, y, right, y + width};
    toolkit::UniqueGdiObject brush(CreateSolidBrush(colour));
    FillRect(dc, &line, static_cast<HBRUSH>(brush.get()));
}

}  // namespace

void MeasureSectionHeader(std::string_view label, HDC dc, UINT& width, UINT& height) {
    UINT dpi = toolkit::DpiOfDC(dc);
    SIZE text = TextSize(dc, label);
    height = static_cast<UINT>(text.cy + toolkit::Scale(2, dpi));
    UINT wide = static_cast<UINT>(text.cx + toolkit::Scale(10, dpi));
    if (width < wide) width = wide;
}

void DrawSectionHeader(std::string_view label, const DRAWITEMSTRUCT& draw) {
    DrawSectionHeader(label, draw, toolkit::Theme::Current().MenuColours());
}

void DrawSectionHeader(std::string_view label, const DRAWITEMSTRUCT& draw, const toolkit::Palette& colours) {
    HDC dc = draw.hDC;
    const RECT& r = draw.rcItem;
    UINT dpi = toolkit::DpiOfDC(dc);
    int saved = SaveDC(dc);
    // Each rule as thick as a pixel at 96 dpi; the pair sits about the middle of the text.
    int inset = toolkit::Scale(1, dpi), thickness = toolkit::Scale(1, dpi), y = r.top + toolkit::Scale(7, dpi);
    Line(dc, colours.menu, r.left, r.right, r.top, r.bottom - r.top);
    Line(dc, colours.ruleDark, r.left + inset, r.right - inset, y, thickness);
    Line(dc, colours.ruleLight, r.left + inset, r.right - inset, y + thickness, thickness);
    // The label's cell is filled with the menu's background, hiding the rule under the words.
    SetTextColor(dc, colours.menuGrayText);
    SetBkColor(dc, colours.menu);
    SetBkMode(dc, OPAQUE);
    int x = (r.right - TextSize(dc, label).cx) / 2;
    const std::wstring wide = common::Wide(label);
    TextOutW(dc, x, r.top, wide.c_str(), static_cast<int>(wide.size()));
    RestoreDC(dc, saved);
}

}  // namespace history
