#include "shell/Tools_win.h"

#include <dwmapi.h>

#include "common/Report_win.h"
#include "common/Win32Error_win.h"
#include "shell/Tools.h"
#include "toolkit/Application_win.h"
#include "toolkit/Handles_win.h"

namespace shell {
namespace {
constexpr DWORD kSettleMs = 400;

ScreenArea AreaOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

ScreenArea VirtualScreen() {
    long x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The frame a person sees: without the invisible resize borders that current
// Windows adds around a window. Wine does not know the attribute (E_NOTIMPL):
// there the window's rectangle is the frame.
RECT VisibleFrame(HWND window) {
    RECT frame{};
    if (FAILED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof(frame))))
        GetWindowRect(window, &frame);
    return frame;
}

// The desktop and the notification area are no windows a person works in.
// Windows' taskbar is a tool window anyway; Wine's stand-alone tray window
// ("__winex11_standalone_tray") is an ordinary one.
bool IsDesktopOrTray(HWND window) {
    if (window == GetDesktopWindow() || window == GetShellWindow()) return true;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    for (const wchar_t* tray : {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"__winex11_standalone_tray"})
        if (lstrcmpW(name, tray) == 0) return true;
    return false;
}

// A window a person could be working in, as the task switcher lists them.
bool IsWorkWindow(HWND window) {
    if (!IsWindowVisible(window) || IsIconic(window) || IsDesktopOrTray(window)) return false;
    LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    if (exStyle & WS_EX_TOOLWINDOW) return false;
    if (GetWindow(window, GW_OWNER) && !(exStyle & WS_EX_APPWINDOW)) return false;
    RECT frame = VisibleFrame(window);
    return !VisiblePart(AreaOf(frame), VirtualScreen()).Empty();
}

// The desktop's drawing lock is held while the picture is taken; another
// program holding it is a failure.
void RequireLock(const toolkit::WindowUpdateLock& lock) {
    if (!lock) throw common::Failure("另一个程序正锁定屏幕的绘制, 现在无法截图.");
}

RECT RectOf(const ScreenArea& a) { return {a.left, a.top, a.right, a.bottom}; }
}  // namespace

void UpdateEmptyClipboardItem(toolkit::MenuItem& mniEmptyClipboard) {
    mniEmptyClipboard.SetEnabled(EmptyClipboardEnabled(CountClipboardFormats()));
}

void EmptyClipboardAfterConfirmation() {
    if (!common::Confirmed("你确实要清空剪贴板内容吗 ?", common::BoxTitle::Confirm,
                           toolkit::Application::Instance().Handle(), MB_SYSTEMMODAL))
        return;
    common::RunReported([] {
        toolkit::ClipboardSession clipboard(nullptr);
        if (!clipboard) throw common::Failure("剪贴板正被另一个程序占用, 没有清空.");
        if (!EmptyClipboard()) common::ThrowLastError(ERROR_ACCESS_DENIED);
    });
}

void PutScreenAreaOnClipboard(const RECT& area, HWND owner) {
    int width = area.right - area.left, height = area.bottom - area.top;
    // The desktop's own DC reads the screen also while its drawing is locked.
    // Its origin is the primary screen's corner; other monitors may lie left or above.
    toolkit::WindowDC screen(GetDesktopWindow(), DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (!screen.get()) common::ThrowLastError();
    toolkit::UniqueDC memory(CreateCompatibleDC(screen.get()));
    toolkit::UniqueBitmap picture(CreateCompatibleBitmap(screen.get(), width, height));
    if (!memory || !picture) common::ThrowLastError();
    {
        toolkit::SelectedObject selected(memory.get(), picture.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY | CAPTUREBLT))
            common::ThrowLastError();
    }
    toolkit::ClipboardSession clipboard(owner);
    if (!clipboard) common::ThrowLastError(ERROR_ACCESS_DENIED);
    EmptyClipboard();
    if (!SetClipboardData(CF_BITMAP, picture.get())) common::ThrowLastError();
    picture.release();  // the clipboard's now
}

void CaptureScreen() {
    EndMenu();
    Sleep(kSettleMs);
    common::RunReported([] {
        toolkit::WindowUpdateLock lock(GetDesktopWindow());
        RequireLock(lock);
        PutScreenAreaOnClipboard(RectOf(VirtualScreen()), toolkit::Application::Instance().Handle());
    });
}

HWND WindowToCapture() {
    HWND active = GetForegroundWindow();
    if (active && IsWorkWindow(active)) return active;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if (IsWorkWindow(window)) return window;
    return nullptr;
}

void CaptureWindow() {
    EndMenu();
    common::RunReported([] {
        toolkit::WindowUpdateLock lock(GetDesktopWindow());
        RequireLock(lock);
        // The tray menu made our hidden window the active one: the window the user
        // came from gets the activation back, as it would if we were minimised.
        HWND window = WindowToCapture();
        if (!window) throw common::Failure("没有可以截取的窗口.");
        if (window != GetForegroundWindow()) SetForegroundWindow(window);
        Sleep(kSettleMs);
        ScreenArea part = VisiblePart(AreaOf(VisibleFrame(window)), VirtualScreen());
        if (part.Empty()) throw common::Failure("要截取的窗口不在屏幕上.");
        PutScreenAreaOnClipboard(RectOf(part), toolkit::Application::Instance().Handle());
    });
}

}  // namespace shell
