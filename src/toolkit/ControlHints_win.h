#pragma once
// Hints of controls, handed to whoever shows them (a status bar) instead of
// pop-up tips. The dialog feeds it the window under the pointer.
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace toolkit {

class ControlHints {
public:
    void Set(HWND control, std::string hint) { hints_[control] = std::move(hint); }
    // The hint of `window` or of its nearest parent with one, below `top`; "" when none.
    std::string HintOf(HWND window, HWND top) const;
    // From WM_SETCURSOR: `window` gets the pointer. A disabled control gets no
    // mouse messages (its parent does), so the child under the pointer is
    // looked up, disabled or not. Calls `show` when the hint changed.
    void PointerOver(HWND window, HWND top, const std::function<void(const std::string&)>& show);
    void Clear() noexcept {
        hints_.clear();
        shown_.reset();
    }

private:
    std::map<HWND, std::string> hints_;
    std::optional<std::string> shown_;
};

}  // namespace toolkit
