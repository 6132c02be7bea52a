#include "toolkit/Window_win.h"

#include <exception>
#include <stdexcept>

#include "common/Win32Error_win.h"
#include "toolkit/Application_win.h"

namespace toolkit {
namespace {
const char kClassName[] = "PellacorWindow";

void RegisterOnce() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Window::Thunk;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassExA(&wc);
    registered = true;
}
}  // namespace

Window::~Window() { DestroyHandle(); }

void Window::CreateHandle(DWORD exStyle, DWORD style, HWND owner, const char* title) {
    RegisterOnce();
    HWND hwnd = CreateWindowExA(exStyle, kClassName, title, style, 0, 0, 0, 0, owner, nullptr,
                                GetModuleHandleA(nullptr), this);
    if (!hwnd) common::ThrowLastError();
}

void Window::DestroyHandle() noexcept {
    if (!hwnd_) return;
    HWND hwnd = hwnd_;
    // WM_DESTROY still reaches WndProc; the back-pointer goes after it.
    DestroyWindow(hwnd);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
}

LRESULT Window::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultProc(msg, wParam, lParam); }

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        auto* created = reinterpret_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        created->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    try {
        return self->WndProc(msg, wParam, lParam);
    } catch (const std::exception& e) {
        Application::Instance().HandleException(e);
    } catch (...) {
        Application::Instance().HandleException(std::runtime_error("unknown error"));
    }
    return 0;
}

}  // namespace toolkit
