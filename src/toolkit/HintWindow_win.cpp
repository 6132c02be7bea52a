#include "toolkit/HintWindow_win.h"

#include "common/Win32Error_win.h"
#include "toolkit/Application_win.h"
#include "toolkit/HintPlacement.h"

namespace toolkit {
namespace {
const char kHintClass[] = "PellacorHint";
constexpr UINT kTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

// A class of its own for the drop shadow, where the system draws one.
void RegisterHintClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DROPSHADOW;
    wc.lpfnWndProc = &Window::Thunk;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kHintClass;
    RegisterClassExA(&wc);
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
    DrawTextA(screen.get(), text.c_str(), static_cast<int>(text.size()), &r, kTextFlags | DT_CALCRECT);
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
        if (!CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kHintClass, "", WS_POPUP | WS_BORDER,
                             0, 0, 0, 0, owner, nullptr, GetModuleHandleA(nullptr), static_cast<Window*>(this)))
            common::ThrowLastError();
    }
    // The window text is the caption too, for screen readers and anyone who looks.
    SetWindowTextA(Handle(), caption_.c_str());
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
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text, kTextFlags);
}

void THintWindow::PaintClient(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(Color));
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
