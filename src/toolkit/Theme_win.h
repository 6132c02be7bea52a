#pragma once
// Which look the system asks of us, and the colours of our windows for it.
// The app theme (AppsUseLightTheme) makes our windows dark or light, the
// taskbar's theme (SystemUsesLightTheme) picks the tray icon, and a
// high-contrast scheme overrides both: every window of ours then draws with
// the system's colours alone. A value missing from the registry means light.
// GUI thread only.
#include <windows.h>

#include <map>
#include <vector>

#include "toolkit/Handles_win.h"
#include "toolkit/Palette.h"

namespace toolkit {

struct ThemeSettings {
    bool appsDark = false;
    bool taskbarLight = true;
    bool highContrast = false;
    friend bool operator==(const ThemeSettings&, const ThemeSettings&) = default;
};

// What the registry and the system say now.
ThemeSettings ReadThemeSettings();
// The system's own colours (readable grey text excepted, which stays a system colour under high contrast).
Palette SystemPalette(bool highContrast);
// Our windows' colours under `settings`.
Palette WindowPalette(const ThemeSettings& settings);
// The colours inside menus: dark only where the system draws its menus dark too.
Palette MenuPalette(const ThemeSettings& settings);

// A message after which the look may have changed: WM_SETTINGCHANGE (the
// theme comes as "ImmersiveColorSet", high contrast as SPI_SETHIGHCONTRAST, a
// new scale as other settings), WM_SYSCOLORCHANGE or WM_THEMECHANGED.
bool MayChangeLook(UINT msg) noexcept;

class Theme {
public:
    static Theme& Current();

    const ThemeSettings& Settings() const noexcept { return settings_; }
    const Palette& Colours() const noexcept { return windows_; }
    const Palette& MenuColours() const noexcept { return menus_; }
    // A solid brush of `colour`, kept for the life of the program.
    HBRUSH Brush(Colour colour);

    // Reads the settings again; when the look changed, every window given to
    // Follow takes it at once. True when it changed.
    bool Refresh();
    // The same with `settings` in place of those the system gives (where a
    // setting cannot be changed for a test: high contrast under Wine).
    bool Use(const ThemeSettings& settings);
    // `window` (a top-level window or dialog of ours) takes the look now and
    // at every change: its caption bar and the style of each of its controls.
    void Follow(HWND window);
    // Menus owned by `owner` take the app theme where the system can draw them dark.
    void FollowInMenus(HWND owner);
    // The answer to a WM_CTLCOLOR... message sent to a window of ours: false
    // leaves it to the default (the system's colours), true sets `result`.
    bool ControlColour(UINT msg, WPARAM wParam, LRESULT& result);

private:
    Theme();
    void Apply(HWND window);
    void ForgetWindowsGone();
    ThemeSettings settings_;
    Palette windows_, menus_;
    std::vector<HWND> followed_;
    std::map<Colour, UniqueGdiObject> brushes_;
};

}  // namespace toolkit
