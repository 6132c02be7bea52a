#pragma once
// Display scale. The program is per-monitor DPI aware: Windows scales none of
// its windows, so each one takes its sizes from the DPI of the monitor it
// shows on. Layouts are designed in pixels at 96 dpi and scaled; the calls
// that know about DPI (Windows 10) are looked up at run time and fall back to
// the system DPI on Windows 7 and 8, where every monitor has that one.
#include <windows.h>

#include "toolkit/Handles_win.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace toolkit {

inline constexpr UINT kDesignDpi = 96;

// `value` pixels at 96 dpi as pixels at `dpi`, rounded to the nearest.
inline int Scale(int value, UINT dpi) noexcept { return MulDiv(value, static_cast<int>(dpi), kDesignDpi); }

// The DPI every window had before per-monitor awareness: the screen's LOGPIXELSY.
UINT SystemDpi();
UINT DpiOfMonitor(HMONITOR monitor);
UINT DpiOfWindow(HWND window);
UINT DpiAtPoint(POINT point);
// Menus and the preview open at the pointer: this is their DPI.
UINT DpiAtPointer();
// The DPI of whatever `dc` draws on: its window's, or the pointer's for a memory or screen DC.
UINT DpiOfDC(HDC dc);

// The fonts of the non-client metrics, as they are at `dpi`.
enum class SystemFont { Message, Menu, Status };
LOGFONTW SystemFontAt(SystemFont which, UINT dpi);
// GetSystemMetrics at `dpi` (SM_CXSMICON, SM_CXVSCROLL, ...).
int SystemMetricAt(int index, UINT dpi);
inline int SmallIconSize(UINT dpi) { return SystemMetricAt(SM_CXSMICON, dpi); }
// The outer rectangle of a window of these styles whose client area is `client`, at `dpi`.
RECT OuterRect(RECT client, DWORD style, DWORD exStyle, UINT dpi);

// A dialog of ours lays itself out for its monitor's DPI: the system's own
// rescaling of dialogs and their controls (Windows 10 1703 and later, under
// per-monitor awareness version 2) is turned off for it and every control in
// it, or the dialog would be scaled twice. Nothing happens where the system
// has no such rescaling (earlier Windows, Wine).
void TurnOffSystemDialogScaling(HWND dialog);

// A font made for one DPI, kept with the DPI it was made for.
class ScaledFont {
public:
    ScaledFont() = default;
    // `font`, whose height is already that at `dpi` (see SystemFontAt).
    ScaledFont(const LOGFONTW& font, UINT dpi) : font_(CreateFontIndirectW(&font)), dpi_(dpi) {}
    HFONT get() const noexcept { return font_.get(); }
    UINT Dpi() const noexcept { return dpi_; }
    explicit operator bool() const noexcept { return static_cast<bool>(font_); }

private:
    UniqueFont font_;
    UINT dpi_ = 0;
};

}  // namespace toolkit
