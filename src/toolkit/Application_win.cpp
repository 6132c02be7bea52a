#include "toolkit/Application_win.h"

#include "common/MessageBox_win.h"
#include "common/Report_win.h"

namespace toolkit {

Application& Application::Instance() {
    static Application app;
    return app;
}

void Application::Initialize(const char* title) {
    if (IsInitialized()) return;
    // A hidden top-level window rather than HWND_MESSAGE: message-only windows
    // miss broadcasts such as WM_QUERYENDSESSION and "TaskbarCreated".
    CreateHandle(WS_EX_TOOLWINDOW, WS_POPUP, nullptr, title);
    common::SetMessageOwner(Handle());
}

int Application::Run() {
    MSG msg;
    while (!terminated_) {
        // The wide calls: a Unicode window (the find window's edit) gets every
        // character typed, also those the ANSI code page lacks; the system
        // converts for the ANSI windows.
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    terminated_ = true;
    // A quit message still waiting would close every message box of the
    // shutdown unseen (a failed save, where the clips went instead).
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    return 0;
}

void Application::Terminate() noexcept {
    // Once: a second close request (one reaches each of our windows) would
    // otherwise end a message box of the shutdown as soon as it opens.
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));  // let the main loop see it too
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LRESULT Application::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // A close request (taskkill, a session manager) ends the program in order
    // instead of destroying the window that owns the forms.
    if (msg == WM_CLOSE) {
        Terminate();
        return 0;
    }
    return DefaultProc(msg, wParam, lParam);
}

void Application::HandleException() noexcept { common::Report(common::CurrentProblem()); }

}  // namespace toolkit
