#pragma once
// The application object: the hidden top-level window that owns the program's
// forms (so none of them gets a taskbar button), the message loop and the
// general error handler.
#include <windows.h>

#include "toolkit/Window_win.h"

namespace toolkit {

class Application : public Window {
public:
    static Application& Instance();

    // Creates the application window. The program shows it never.
    void Initialize(const char* title);
    bool IsInitialized() const noexcept { return Handle() != nullptr; }

    // Runs the message loop until Terminate.
    int Run();
    void Terminate() noexcept;
    // Dispatches every message waiting in the queue, then returns.
    void ProcessMessages();

    // The general error handler, for a catch block: reports the exception
    // being handled (common::Report); the caller's loop runs on.
    void HandleException() noexcept;

    // Forms that are open (created and not yet destroyed), the main form included.
    int FormCount() const noexcept { return formCount_; }
    void FormOpened() noexcept { ++formCount_; }
    void FormClosed() noexcept { --formCount_; }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    Application() = default;
    bool terminated_ = false;
    int formCount_ = 0;
};

}  // namespace toolkit
