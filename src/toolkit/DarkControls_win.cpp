#include "toolkit/DarkControls_win.h"

#include <commctrl.h>

#include <string>

#include "toolkit/Handles_win.h"
#include "toolkit/Theme_win.h"

namespace toolkit {
namespace {

enum class Kind : UINT_PTR { StatusBar = 1, Line = 2 };

void PaintStatusBar(HWND bar, HDC dc, const RECT& client, Theme& theme) {
    const Palette& colours = theme.Colours();
    FillRect(dc, &client, theme.Brush(colours.face));
    RECT rule{client.left, client.top, client.right, client.top + 1};
    FillRect(dc, &rule, theme.Brush(colours.ruleLight));
    std::wstring text(static_cast<size_t>(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, SB_SIMPLEID, 0))), L'\0');
    SendMessageW(bar, SB_GETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.data()));
    SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours.faceText);
    RECT area = client;
    area.left += GetSystemMetrics(SM_CXEDGE) * 2;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintLine(HDC dc, const RECT& client, Theme& theme) {
    const Palette& colours = theme.Colours();
    int middle = (client.bottom - client.top) / 2;
    RECT groove{client.left, client.top, client.right, client.top + middle};
    RECT edge{client.left, client.top + middle, client.right, client.bottom};
    FillRect(dc, &groove, theme.Brush(colours.ruleDark));
    FillRect(dc, &edge, theme.Brush(colours.ruleLight));
}

LRESULT CALLBACK Procedure(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR kind) noexcept {
    Theme& theme = Theme::Current();
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(control, &Procedure, id);
    } else if (theme.Colours().dark && msg == WM_ERASEBKGND) {
        return 1;  // painted whole
    } else if (theme.Colours().dark && msg == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(control, &paint);
        RECT client;
        GetClientRect(control, &client);
        if (static_cast<Kind>(kind) == Kind::StatusBar)
            PaintStatusBar(control, dc, client, theme);
        else
            PaintLine(dc, client, theme);
        EndPaint(control, &paint);
        return 0;
    } else if (theme.Colours().dark && msg == SB_SETTEXTW) {
        LRESULT result = DefSubclassProc(control, msg, wParam, lParam);
        InvalidateRect(control, nullptr, TRUE);  // the bar may draw only the text's cell
        return result;
    }
    return DefSubclassProc(control, msg, wParam, lParam);
}

}  // namespace

void PaintDarkTabStrip(HWND strip, HDC dc) {
    Theme& theme = Theme::Current();
    const Palette& colours = theme.Colours();
    RECT client;
    GetClientRect(strip, &client);
    FillRect(dc, &client, theme.Brush(colours.face));
    SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(strip, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours.faceText);
    int selected = static_cast<int>(SendMessageW(strip, TCM_GETCURSEL, 0, 0));
    int count = static_cast<int>(SendMessageW(strip, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT tab{};
        if (!SendMessageW(strip, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab))) continue;
        wchar_t text[128] = L"";
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 128;
        SendMessageW(strip, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        FillRect(dc, &tab, theme.Brush(i == selected ? colours.ruleLight : colours.face));  // the chosen tab lit
        FrameRect(dc, &tab, theme.Brush(colours.ruleLight));
        DrawTextW(dc, text, -1, &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void PaintDarkStatusBar(HWND statusBar) {
    SetWindowSubclass(statusBar, &Procedure, 1, static_cast<DWORD_PTR>(Kind::StatusBar));
}

void PaintDarkLine(HWND etchedLine) {
    SetWindowSubclass(etchedLine, &Procedure, 1, static_cast<DWORD_PTR>(Kind::Line));
}

}  // namespace toolkit
