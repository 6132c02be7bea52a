#pragma once
// A window whose messages reach a member function: one static procedure stores
// `this` at WM_NCCREATE and dispatches to WndProc. Exceptions thrown by a
// handler go to the application's general error handler; the loop runs on.
#include <windows.h>

namespace toolkit {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const noexcept { return hwnd_; }

protected:
    // Creates the window with the program's class (its icon is resource 1).
    void CreateHandle(DWORD exStyle, DWORD style, HWND owner, const char* title = "");
    void DestroyHandle() noexcept;
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
        return DefWindowProcA(hwnd_, msg, wParam, lParam);
    }

public:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
private:
    HWND hwnd_ = nullptr;
};

}  // namespace toolkit
