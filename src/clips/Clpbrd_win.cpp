#include "clips/Clpbrd_win.h"

namespace clips {

TClpbrd::TClpbrd() { CreateHandle(WS_EX_TOOLWINDOW, WS_POPUP, nullptr, "PellacorClipboardWatcher"); }

TClpbrd::~TClpbrd() {
    OnChange = nullptr;
    SetActive(false);
    DestroyHandle();
}

void TClpbrd::SetActive(bool active) {
    if (active == active_) return;
    if (active) {
        // SetClipboardViewer sends WM_DRAWCLIPBOARD before it returns: mark us
        // active first so that notification is handled like any other.
        active_ = true;
        nextViewer_ = SetClipboardViewer(Handle());
    } else {
        ChangeClipboardChain(Handle(), nextViewer_);
        active_ = false;
        nextViewer_ = nullptr;
    }
}

LRESULT TClpbrd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        return 0;  // the watcher lives as long as its owner, not as long as a close request
    case WM_DESTROY:
        SetActive(false);
        return 0;
    case WM_DESTROYCLIPBOARD:
        if (OnChange) OnChange();
        return 0;
    case WM_DRAWCLIPBOARD:
        if (nextViewer_) SendMessageA(nextViewer_, WM_DRAWCLIPBOARD, wParam, lParam);
        if (OnChange) OnChange();
        return 0;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == nextViewer_) nextViewer_ = reinterpret_cast<HWND>(lParam);
        else if (nextViewer_) SendMessageA(nextViewer_, WM_CHANGECBCHAIN, wParam, lParam);
        return 0;
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

}  // namespace clips
