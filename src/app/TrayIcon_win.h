#pragma once
// The notification-area icon: one record in the shell's first layout, filled
// once and sent whole with every add, modify and delete.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace app {

constexpr UINT WM_TRAYICON = WM_USER + 1;

// The tray icon's resources: dark lines for a light taskbar, light lines for a
// dark one; each has images of 16 to 64 pixels, for the scales of 100 % to 400 %.
inline constexpr int kTrayIconForLightTaskbar = 2, kTrayIconForDarkTaskbar = 3;

// The tray icon at the small-icon size of `dpi` for a light or a dark
// taskbar, for the caller to destroy; null when it cannot be loaded.
HICON LoadTrayIcon(UINT dpi, bool lightTaskbar);

class TrayIcon {
public:
    // The record for `window`, with `icon` and the initial tip; nothing is shown yet.
    TrayIcon(HWND window, HICON icon);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Throws common::Failure when the shell refuses the icon (no taskbar
    // yet, say); the icon is still wanted, and the shell's next start adds it.
    void Add();
    void Remove();
    // Shown at once when the icon is there.
    void SetTip(const std::string& tip);
    // Shown at once when the icon is there; the caller keeps `icon` alive while it is shown.
    void SetIcon(HICON icon);
    // After the shell restarted ("TaskbarCreated"): the icon again, with the
    // current tip. Throws as Add does.
    void Restore();

    // The icon is wanted in the notification area (Add was called, Remove not yet).
    bool Added() const noexcept { return added_; }
    const NOTIFYICONDATAW& Data() const noexcept { return data_; }

private:
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};

}  // namespace app
