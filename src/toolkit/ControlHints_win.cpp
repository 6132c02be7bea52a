#include "toolkit/ControlHints_win.h"

namespace toolkit {

std::string ControlHints::HintOf(HWND window, HWND top) const {
    for (HWND w = window; w && w != top; w = GetParent(w)) {
        auto found = hints_.find(w);
        if (found != hints_.end() && !found->second.empty()) return found->second;
    }
    return {};
}

void ControlHints::PointerOver(HWND window, HWND top, const std::function<void(const std::string&)>& show) {
    POINT screen{};
    GetCursorPos(&screen);
    for (;;) {
        POINT at = screen;
        ScreenToClient(window, &at);
        HWND child = ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == window) break;
        window = child;
    }
    std::string hint = HintOf(window, top);
    if (shown_ == hint) return;
    shown_ = hint;
    show(hint);
}

}  // namespace toolkit
