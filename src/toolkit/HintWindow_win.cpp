#include "toolkit/HintWindow_win.h"

#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "toolkit/Application_win.h"
#include "toolkit/HintPlacement.h"
#include "toolkit/Theme_win.h"

namespace toolkit {
namespace {
const wchar_t kHintClass[] = L"PellacorHint";
constexpr UINT kTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

// A class of its own for the drop shadow, where the system draws one.
void RegisterHintClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DROPSHADOW;
    wc.lpfnWndProc = &Window::Thunk;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kHintClass;
    RegisterClassExW(&wc);
    registered = true;
}

HintBox DesktopBox() {
    int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}
}  // namespace

THintWindow::THintWindow() { SetDpi(DpiAtPointer()); }

void THintWindow::SetDpi(UINT dpi) {
    // The font tooltips use: the status font of the non-client metrics.
    if (dpi != font_.Dpi()) font_ = ScaledFont(SystemFontAt(SystemFont::Status, dpi), dpi);
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& text) const {
    RECT r{0, 0, maxWidth, 0};
    WindowDC screen(nullptr);
    SelectedObject font(screen.get(), HintFont());
    const std::wstring wide = common::Wide(text);
    DrawTextW(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &r, kTextFlags | DT_CALCRECT);
    return {0, 0, r.right + Scaled(6), r.bottom + Scaled(2)};
}

void THintWindow::ActivateHint(RECT rect, const std::string& caption) {
    caption_ = caption;
    rect.bottom += Scaled(4);
    HintBox box = KeepInsideDesktop({rect.left, rect.top, rect.right, rect.bottom}, DesktopBox());
    if (!Handle()) {
        RegisterHintClass();
        Application& application = Application::Instance();
        HWND owner = application.IsInitialized() ? application.Handle() : nullptr;
        if (!CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kHintClass, L"", WS_POPUP | WS_BORDER,
                             0, 0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), static_cast<Window*>(this)))
            common::ThrowLastError();
    }
    // The window text is the caption too, for screen readers and anyone who looks.
    SetWindowTextW(Handle(), common::Wide(caption_).c_str());
    SetWindowPos(Handle(), HWND_TOPMOST, box.left, box.top, box.right - box.left, box.bottom - box.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

void THintWindow::Paint(HDC dc, const RECT& client) {
    RECT text = client;
    text.left += Scaled(2);
    text.top += Scaled(2);
    SelectedObject font(dc, HintFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Theme::Current().Colours().infoText);
    const std::wstring wide = common::Wide(caption_);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &text, kTextFlags);
}

void THintWindow::PaintClient(HDC dc, const RECT& client) {
    Theme& theme = Theme::Current();
    FillRect(dc, &client, theme.Brush(theme.Colours().info));
    Paint(dc, client);
}

LRESULT THintWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;  // the painting fills the background itself
    case WM_NCPAINT: {
        WindowDC dc(Handle(), DCX_WINDOW | DCX_CACHE);  // the frame included
        RECT r;
        GetWindowRect(Handle(), &r);
        OffsetRect(&r, -r.left, -r.top);
        const Palette& colours = Theme::Current().Colours();
        if (colours.dark)
            FrameRect(dc.get(), &r, Theme::Current().Brush(colours.ruleLight));  // a raised edge would shine white
        else
            DrawEdge(dc.get(), &r, BDR_RAISEDOUTER, BF_RECT);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT client;
        GetClientRect(Handle(), &client);
        if (DoubleBuffered) {
            UniqueDC memory(CreateCompatibleDC(dc));
            UniqueBitmap buffer(CreateCompatibleBitmap(dc, client.right, client.bottom));
            if (memory && buffer) {
                SelectedObject selected(memory.get(), buffer.get());
                PaintClient(memory.get(), client);
                BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
            } else {
                PaintClient(dc, client);
            }
        } else {
            PaintClient(dc, client);
        }
        EndPaint(Handle(), &ps);
        return 0;
    }
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

}  // namespace toolkit
