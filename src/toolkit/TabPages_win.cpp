#include "toolkit/TabPages_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "toolkit/DarkControls_win.h"
#include "toolkit/Theme_win.h"

namespace toolkit {
namespace {

// An empty child dialog: the dialog manager then walks into its controls.
struct alignas(4) PageTemplate {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
};

INT_PTR CALLBACK PageProcedure(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    switch (msg) {
    case WM_INITDIALOG:
        // Labels and check boxes take the page's background (a themed tab's
        // body is not the dialog colour) instead of painting grey boxes.
        EnableThemeDialogTexture(page, ETDT_ENABLETAB);
        return FALSE;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
        // The dialog handles its controls wherever they sit.
        SetWindowLongPtrW(page, DWLP_MSGRESULT, SendMessageW(GetParent(page), msg, wParam, lParam));
        return TRUE;
    default: {
        LRESULT brush = 0;
        return Theme::Current().ControlColour(msg, wParam, brush) ? static_cast<INT_PTR>(brush) : FALSE;
    }
    }
}

}  // namespace

TabPages::TabPages(HWND dialog, HWND strip, const std::vector<std::string>& captions, int tabWidth)
    : dialog_(dialog), strip_(strip) {
    for (size_t i = 0; i < captions.size(); ++i) {
        std::wstring caption = common::Wide(captions[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(strip_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    PageTemplate empty{};
    empty.dialog.style = WS_CHILD | DS_CONTROL;
    HWND after = strip_;
    for (size_t i = 0; i < captions.size(); ++i) {
        HWND page = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &empty.dialog, dialog, &PageProcedure, 0);
        if (!page) common::ThrowLastError();
        // Right after the strip in the Tab order, whenever the page is made.
        SetWindowPos(page, after, 0, 0, 0, 0, SWP_NOACTIVATE);
        pages_.push_back(page);
        after = page;
    }
    Layout(tabWidth);
    SetWindowSubclass(strip_, &TabPages::StripProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    Select(0);
}

void TabPages::Layout(int tabWidth) {
    // The tab's height follows the strip's font.
    SendMessageW(strip_, TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth, 0));
    RECT tab{};
    if (SendMessageW(strip_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab)))
        SendMessageW(strip_, TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth, tab.bottom - tab.top));

    RECT area{};
    GetWindowRect(strip_, &area);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&area), 2);
    SendMessageW(strip_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (HWND page : pages_)
        SetWindowPos(page, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

TabPages::~TabPages() {
    if (IsWindow(strip_)) RemoveWindowSubclass(strip_, &TabPages::StripProcedure, 1);
}

void TabPages::Select(int index) {
    if (index < 0 || index >= Count()) return;
    selected_ = index;
    SendMessageW(strip_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    HWND focus = GetFocus();
    for (int i = 0; i < Count(); ++i) {
        HWND page = Page(i);
        if (i == index) continue;
        // The focus must not stay on a control that disappears.
        if (focus && IsChild(page, focus)) SetFocus(strip_);
        ShowWindow(page, SW_HIDE);
    }
    ShowWindow(Page(index), SW_SHOW);
}

bool TabPages::Notified(const NMHDR& header) {
    if (header.hwndFrom != strip_) return false;
    if (header.code == TCN_SELCHANGE) Select(static_cast<int>(SendMessageW(strip_, TCM_GETCURSEL, 0, 0)));
    return true;
}

LRESULT CALLBACK TabPages::StripProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self) noexcept {
    if (msg == WM_PAINT && wParam == 0) {
        // The strip comes before its pages (Tab order is window order), so it
        // lies above them: keep it from painting its body over the page shown.
        auto* tabs = reinterpret_cast<TabPages*>(self);
        if (tabs->selected_ >= 0) {
            RECT page{};
            GetWindowRect(tabs->Page(tabs->selected_), &page);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&page), 2);
            ValidateRect(hwnd, &page);
        }
        if (Theme::Current().Colours().dark) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            PaintDarkTabStrip(hwnd, dc);
            EndPaint(hwnd, &paint);
            return 0;
        }
    } else if (msg == WM_ERASEBKGND && Theme::Current().Colours().dark) {
        return 1;  // painted whole
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &TabPages::StripProcedure, id);
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace toolkit
