#include "toolkit/MenuEvents_win.h"

namespace toolkit {
namespace {

// One watcher per GUI thread; the program has one GUI thread.
MenuContextEvents* g_events = nullptr;

// The menu shown by a menu window (class "#32768").
HMENU MenuOfWindow(HWND window) noexcept {
    constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
    return window ? reinterpret_cast<HMENU>(SendMessageW(window, kGetMenu, 0, 0)) : nullptr;
}

}  // namespace

MenuContextEvents::MenuContextEvents(HWND owner) : owner_(owner) {
    g_events = this;
    hook_ = SetWindowsHookExW(WH_MSGFILTER, &MenuContextEvents::Filter, nullptr, GetCurrentThreadId());
}

MenuContextEvents::~MenuContextEvents() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (g_events == this) g_events = nullptr;
}

void MenuContextEvents::MenuSelected(WPARAM wParam, LPARAM lParam) noexcept {
    bool closing = HIWORD(wParam) == 0xFFFF && lParam == 0;
    highlightedMenu_ = closing ? nullptr : reinterpret_cast<HMENU>(lParam);
}

LRESULT CALLBACK MenuContextEvents::Filter(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == MSGF_MENU && g_events && g_events->OnMenuMessage(*reinterpret_cast<const MSG*>(lParam))) return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool MenuContextEvents::OnMenuMessage(const MSG& msg) noexcept {
    if (msg.message == WM_RBUTTONUP) {
        // The menu under the pointer: with a nested menu open, that may not be the
        // window the message was addressed to.
        HMENU menu = MenuOfWindow(WindowFromPoint(msg.pt));
        if (!menu) menu = MenuOfWindow(msg.hwnd);
        int position = menu ? MenuItemFromPoint(nullptr, menu, msg.pt) : -1;
        if (position >= 0)
            PostMessageW(owner_, WM_MENUCONTEXT, MAKEWPARAM(position, 0), reinterpret_cast<LPARAM>(menu));
        return true;  // also keeps Windows from sending WM_MENURBUTTONUP
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_APPS) {
        int position = HighlightedPosition(highlightedMenu_);
        if (position >= 0)
            PostMessageW(owner_, WM_MENUCONTEXT, MAKEWPARAM(position, 1), reinterpret_cast<LPARAM>(highlightedMenu_));
        return true;
    }
    return false;
}

int HighlightedPosition(HMENU menu) noexcept {
    if (!menu) return -1;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state != static_cast<UINT>(-1) && (state & MF_HILITE)) return i;
    }
    return -1;
}

}  // namespace toolkit
