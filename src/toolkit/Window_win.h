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
    // Creates the window with a class of ours (its icon is resource 1),
    // registered at its first use. Throws common::Win32Error when the class
    // or the window cannot be made, also when another part of the process
    // registered a class of that name first.
    void CreateHandle(DWORD exStyle, DWORD style, HWND owner, const char* title = "",
                      const char* className = kProgramClass);
    // The same with a Unicode class: the window gets its text, typed characters
    // and notifications in UTF-16, whatever the system code page.
    void CreateHandle(DWORD exStyle, DWORD style, HWND owner, const wchar_t* title, const wchar_t* className);
    static constexpr const char* kProgramClass = "PellacorWindow";
    void DestroyHandle() noexcept;
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
        return wide_ ? DefWindowProcW(hwnd_, msg, wParam, lParam) : DefWindowProcA(hwnd_, msg, wParam, lParam);
    }

public:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
private:
    HWND hwnd_ = nullptr;
    bool wide_ = false;
};

}  // namespace toolkit
