#include "toolkit/Dpi_win.h"

#include <cstddef>
#include <cstring>
#include <cwchar>

namespace toolkit {
namespace {

// Windows 10 (1607) and later; Windows 8.1 has GetDpiForMonitor in shcore only.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

template <typename Fn>
Fn User32(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

GetDpiForMonitorFn MonitorDpiFunction() {
    static GetDpiForMonitorFn function = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll");  // kept for the life of the process
        return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    return function;
}

UINT Valid(UINT dpi) { return dpi ? dpi : SystemDpi(); }

// The flags of SetDialogDpiChangeBehavior and SetDialogControlDpiChangeBehavior.
constexpr int kDialogScalesItself = 0x0001;   // DDC_DISABLE_ALL
constexpr int kControlScalesItself = 0x0003;  // DCDC_DISABLE_FONT_UPDATE | DCDC_DISABLE_RELAYOUT
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
using SetDialogControlDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);

}  // namespace

UINT SystemDpi() {
    WindowDC screen(nullptr);
    int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

UINT DpiOfMonitor(HMONITOR monitor) {
    UINT x = 0, y = 0;
    if (auto function = MonitorDpiFunction(); function && monitor && SUCCEEDED(function(monitor, 0, &x, &y)))
        return Valid(y);
    return SystemDpi();
}

UINT DpiOfWindow(HWND window) {
    static auto function = User32<GetDpiForWindowFn>("GetDpiForWindow");
    if (function && window) return Valid(function(window));
    return DpiOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

void TurnOffSystemDialogScaling(HWND dialog) {
    static auto dialogs = User32<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
    static auto controls = User32<SetDialogControlDpiChangeBehaviorFn>("SetDialogControlDpiChangeBehavior");
    if (!dialogs || !controls || !dialog) return;
    dialogs(dialog, kDialogScalesItself, kDialogScalesItself);
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM) -> BOOL {
            controls(child, kControlScalesItself, kControlScalesItself);
            wchar_t name[8] = L"";
            GetClassNameW(child, name, 8);
            if (std::wcscmp(name, L"#32770") == 0) dialogs(child, kDialogScalesItself, kDialogScalesItself);  // a tab page
            return TRUE;
        },
        0);
}

UINT DpiAtPoint(POINT point) { return DpiOfMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

UINT DpiAtPointer() {
    POINT pointer{};
    GetCursorPos(&pointer);
    return DpiAtPoint(pointer);
}

UINT DpiOfDC(HDC dc) {
    HWND window = dc ? WindowFromDC(dc) : nullptr;
    return window ? DpiOfWindow(window) : DpiAtPointer();
}

LOGFONTW SystemFontAt(SystemFont which, UINT dpi) {
    static auto forDpi = User32<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    LOGFONTW font{};
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
        return which == SystemFont::Menu     ? metrics.lfMenuFont
               : which == SystemFont::Status ? metrics.lfStatusFont
                                             : metrics.lfMessageFont;
    }
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
        return font;
    }
    font = which == SystemFont::Menu     ? metrics.lfMenuFont
           : which == SystemFont::Status ? metrics.lfStatusFont
                                         : metrics.lfMessageFont;
    // The metrics are those of the system DPI.
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
    return font;
}

int SystemMetricAt(int index, UINT dpi) {
    static auto forDpi = User32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

RECT OuterRect(RECT client, DWORD style, DWORD exStyle, UINT dpi) {
    static auto forDpi = User32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&client, style, FALSE, exStyle, dpi)) AdjustWindowRectEx(&client, style, FALSE, exStyle);
    return client;
}

}  // namespace toolkit
