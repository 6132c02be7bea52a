#pragma once
// A window whose messages reach a member function: one static procedure stores
// `this` at WM_NCCREATE and dispatches to WndProc. Exceptions thrown by a
// handler go to the application's general error handler; the loop runs on.
#include <windows.h>

#include <string_view>

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
    void CreateHandle(DWORD exStyle, DWORD style, HWND owner, std::string_view title = "",
                      const wchar_t* className = kProgramClass);
    static constexpr const wchar_t* kProgramClass = L"PellacorWindow";
    void DestroyHandle() noexcept;
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
        return DefWindowProcW(hwnd_, msg, wParam, lParam);
    }

public:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
private:
    HWND hwnd_ = nullptr;
};

}  // namespace toolkit
