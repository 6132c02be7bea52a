#include "toolkit/Window_win.h"

#include "common/Win32Error_win.h"
#include "toolkit/Application_win.h"

namespace toolkit {
namespace {
// Registers the class at its first use, through the ANSI or the wide calls.
// A class of that name whose procedure is not ours (another part of the
// process took the name) would never reach WndProc: that is a failure, not a
// class to share.
template <typename Char, typename WindowClass>
void EnsureRegistered(const Char* className, BOOL(WINAPI* getClassInfo)(HINSTANCE, const Char*, WindowClass*),
                      ATOM(WINAPI* registerClass)(const WindowClass*)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WindowClass wc{};
    wc.cbSize = sizeof(wc);
    if (getClassInfo(instance, className, &wc)) {
        if (wc.lpfnWndProc == &Window::Thunk) return;
        throw common::Win32Error(ERROR_CLASS_ALREADY_EXISTS);
    }
    wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Window::Thunk;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW, spelt wide
    wc.lpszClassName = className;
    if (!registerClass(&wc)) common::ThrowLastError();
}
void EnsureRegistered(const char* className) { EnsureRegistered(className, &GetClassInfoExA, &RegisterClassExA); }
void EnsureRegistered(const wchar_t* className) { EnsureRegistered(className, &GetClassInfoExW, &RegisterClassExW); }
}  // namespace

Window::~Window() { DestroyHandle(); }

void Window::CreateHandle(DWORD exStyle, DWORD style, HWND owner, const char* title, const char* className) {
    EnsureRegistered(className);
    HWND hwnd = CreateWindowExA(exStyle, className, title, style, 0, 0, 0, 0, owner, nullptr,
                                GetModuleHandleA(nullptr), this);
    if (!hwnd) common::ThrowLastError();
}

void Window::CreateHandle(DWORD exStyle, DWORD style, HWND owner, const wchar_t* title, const wchar_t* className) {
    EnsureRegistered(className);
    wide_ = true;
    HWND hwnd = CreateWindowExW(exStyle, className, title, style, 0, 0, 0, 0, owner, nullptr,
                                GetModuleHandleW(nullptr), this);
    if (!hwnd) common::ThrowLastError();
}

void Window::DestroyHandle() noexcept {
    // WM_DESTROY still reaches WndProc; WM_NCDESTROY then forgets the handle.
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT Window::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultProc(msg, wParam, lParam); }

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        auto* created = reinterpret_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        created->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->WndProc(msg, wParam, lParam);
    } catch (...) {
        Application::Instance().HandleException();
    }
    if (msg == WM_NCDESTROY) {
        // Gone, whoever destroyed it (we, or the system with its owner): the
        // handle may soon name another window, so it is never used again.
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace toolkit
