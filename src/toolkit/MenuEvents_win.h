#pragma once
// The context request on an item of an open menu: the right button released
// over it, or the menu key (VK_APPS) while it is highlighted.
//
// Windows reports the right button as WM_MENURBUTTONUP; Wine never does. A
// message filter (WH_MSGFILTER, MSGF_MENU) sees the button release and the key
// in the menu loop on both systems, so it is the one path: the filter swallows
// the release (Windows then sends no WM_MENURBUTTONUP) and posts one message of
// ours to the owner window. The owner opens whatever it wants from there, not
// from inside the filter, where a nested menu would see the same release again.
#include <windows.h>

namespace toolkit {

// Posted to the owner: LOWORD(wParam) = position of the item in the menu as
// shown, HIWORD(wParam) = 1 when it came from the menu key, lParam = the menu.
constexpr UINT WM_MENUCONTEXT = WM_APP + 0x122;

class MenuContextEvents {
public:
    // Watches the menus of the calling thread on behalf of `owner`.
    explicit MenuContextEvents(HWND owner);
    ~MenuContextEvents();
    MenuContextEvents(const MenuContextEvents&) = delete;
    MenuContextEvents& operator=(const MenuContextEvents&) = delete;

    // Fed with the owner's WM_MENUSELECT: the menu key acts on the item highlighted last.
    void MenuSelected(WPARAM wParam, LPARAM lParam) noexcept;

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam) noexcept;
    bool OnMenuMessage(const MSG& msg) noexcept;

    HWND owner_;
    HHOOK hook_ = nullptr;
    HMENU highlightedMenu_ = nullptr;
};

// The position of the highlighted item of `menu`, or -1.
int HighlightedPosition(HMENU menu) noexcept;

}  // namespace toolkit
