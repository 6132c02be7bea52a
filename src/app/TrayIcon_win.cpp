#include "app/TrayIcon_win.h"

#include <cstring>

#include "app/TrayTip.h"

namespace app {

TrayIcon::TrayIcon(HWND window, HICON icon) {
    // The shell's first layout: window, id, flags, callback, icon, 64-byte tip.
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.hWnd = window;
    data_.uID = 1;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = WM_TRAYICON;
    data_.hIcon = icon;
    SetTip(kInitialTrayTip);
}

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::Add() {
    Shell_NotifyIconA(NIM_ADD, &data_);
    added_ = true;
}

void TrayIcon::Remove() {
    if (!added_) return;
    Shell_NotifyIconA(NIM_DELETE, &data_);
    added_ = false;
}

void TrayIcon::SetTip(const std::string& tip) {
    std::memset(data_.szTip, 0, sizeof(data_.szTip));
    std::memcpy(data_.szTip, tip.data(), tip.size() < 63 ? tip.size() : 63);
    if (added_) Shell_NotifyIconA(NIM_MODIFY, &data_);
}

void TrayIcon::Restore() {
    if (added_) Shell_NotifyIconA(NIM_ADD, &data_);
}

}  // namespace app
