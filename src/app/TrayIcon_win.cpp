#include "app/TrayIcon_win.h"

#include <cstring>

#include "app/TrayTip.h"
#include "common/Failure.h"
#include "common/Wide_win.h"
#include "toolkit/Dpi_win.h"
#include "toolkit/ImageList_win.h"

namespace app {

HICON LoadTrayIcon(UINT dpi, bool lightTaskbar) {
    int size = toolkit::SmallIconSize(dpi);
    int resource = lightTaskbar ? kTrayIconForLightTaskbar : kTrayIconForDarkTaskbar;
    return toolkit::LoadIconOfSize(resource, size);  // beyond 400 % scaled from the largest image
}

TrayIcon::TrayIcon(HWND window, HICON icon) {
    // The shell's first layout: window, id, flags, callback, icon, 64-byte tip.
    data_.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data_.hWnd = window;
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = WM_TRAYICON;
    data_.hIcon = icon;
    SetTip(kInitialTrayTip);
}

TrayIcon::~TrayIcon() { Remove(); }

namespace {
// The shell sets no error code of its own when it refuses an icon.
void AddToShell(NOTIFYICONDATAW& data) {
    if (!Shell_NotifyIconW(NIM_ADD, &data))
        throw common::Failure("无法在通知区域显示 PELLACOR 的图标; 任务栏重新启动时会再试一次.");
}
}  // namespace

void TrayIcon::Add() {
    added_ = true;
    AddToShell(data_);
}

void TrayIcon::Remove() {
    if (!added_) return;
    // Ignored: the shell also drops the icon of a window that is gone, and at
    // the exit there is nothing left to do about it.
    Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
}

void TrayIcon::SetTip(const std::string& tip) {
    const std::wstring wide = common::Wide(tip);
    std::memset(data_.szTip, 0, sizeof(data_.szTip));
    std::memcpy(data_.szTip, wide.data(), (wide.size() < 63 ? wide.size() : 63) * sizeof(wchar_t));
    // Ignored: the tip is sent again whole at the next change of the histories,
    // and a box for a stale count would say less than the tip itself.
    if (added_) Shell_NotifyIconW(NIM_MODIFY, &data_);
}

void TrayIcon::SetIcon(HICON icon) {
    data_.hIcon = icon;
    // Ignored as SetTip's: the shell's next start adds the record again whole.
    if (added_) Shell_NotifyIconW(NIM_MODIFY, &data_);
}

void TrayIcon::Restore() {
    if (added_) AddToShell(data_);
}

}  // namespace app
