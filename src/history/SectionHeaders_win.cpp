// The two section headers of the history menu: the section's name in grey,
// centred on a grey-over-white rule that stops short of the words.
#include <windows.h>

#include <string_view>

#include "common/Wide_win.h"
#include "history/History_win.h"
#include "toolkit/Handles_win.h"

namespace history {
namespace {

// The first item of the menu heads the personal section; the other header the clipboard's.
std::string_view HeaderLabel(const toolkit::MenuItem& header) {
    return header.MenuIndex() == 0 ? " 个人历史纪录 " : " 剪贴板历史纪录 ";
}

SIZE TextSize(HDC dc, std::string_view text) {
    SIZE size{};
    const std::wstring wide = common::Wide(text);
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

void Line(HDC dc, COLORREF colour, int left, int right, int y) {
    toolkit::UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    toolkit::SelectedObject selected(dc, pen.get());
    MoveToEx(dc, left, y, nullptr);
    LineTo(dc, right, y);  // the last point is not drawn
}

}  // namespace

void History::sepClipboardHistoryMeasureItem(toolkit::MenuItem& sender, HDC dc, UINT& width, UINT& height) {
    SIZE text = TextSize(dc, HeaderLabel(sender));
    height = static_cast<UINT>(text.cy + 2);
    if (width < static_cast<UINT>(text.cx + 10)) width = static_cast<UINT>(text.cx + 10);
}

void History::sepClipboardHistoryDrawItem(toolkit::MenuItem& sender, const DRAWITEMSTRUCT& draw) {
    HDC dc = draw.hDC;
    const RECT& r = draw.rcItem;
    std::string_view label = HeaderLabel(sender);
    int saved = SaveDC(dc);
    Line(dc, GetSysColor(COLOR_GRAYTEXT), r.left + 1, r.right - 1, r.top + 7);
    Line(dc, RGB(255, 255, 255), r.left + 1, r.right - 1, r.top + 8);
    // The label's cell is filled with the menu's background, hiding the rule under the words.
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    SetBkMode(dc, OPAQUE);
    int x = (r.right - TextSize(dc, label).cx) / 2;
    const std::wstring wide = common::Wide(label);
    TextOutW(dc, x, r.top, wide.c_str(), static_cast<int>(wide.size()));
    RestoreDC(dc, saved);
}

}  // namespace history
