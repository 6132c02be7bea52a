#pragma once
// The clipboard watcher: a hidden window of its own in the clipboard viewer
// chain. It passes every notification on to the next viewer first, keeps the
// chain whole when viewers join or leave, and calls OnChange for each change.
#include <windows.h>

#include <functional>

#include "toolkit/Window_win.h"

namespace clips {

class TClpbrd : public toolkit::Window {
public:
    TClpbrd();
    ~TClpbrd() override;

    // Joins (true) or leaves (false) the viewer chain; joining delivers one
    // change notification at once.
    void SetActive(bool active);
    bool Active() const noexcept { return active_; }
    HWND NextViewer() const noexcept { return nextViewer_; }

    std::function<void()> OnChange;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HWND nextViewer_ = nullptr;
    bool active_ = false;
};

}  // namespace clips
