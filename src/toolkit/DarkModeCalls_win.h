#pragma once
// The calls behind dark windows and dark menus. None of them is on every
// Windows: those of the menus are exported by ordinal only and looked up at
// run time. Where a call is missing nothing happens and nothing fails.
#include <windows.h>

namespace toolkit {

// The dark or light caption bar for a window of ours (Windows 10 1809 and later).
void SetDarkCaption(HWND window, bool dark) noexcept;
// Whether the system can draw its menus dark for us: it offers the calls of
// Windows 10 1809 and later, each exported by ordinal alone, as Windows does.
bool DarkMenusOffered() noexcept;
// Menus follow the app theme from now on; `owner` is the window menus open for.
void AllowDarkMenus(HWND owner) noexcept;
// After a change of the app theme: menus opened from now on take it.
void RefreshDarkMenus() noexcept;
// A visual style of the system's dark controls on `control`, or the usual one.
void SetDarkControlStyle(HWND control, bool dark) noexcept;
// The control draws itself in the classic way, with the colours its parent gives
// (check boxes: their themed text would stay black on a dark dialog).
void SetClassicControlStyle(HWND control, bool classic) noexcept;

}  // namespace toolkit
