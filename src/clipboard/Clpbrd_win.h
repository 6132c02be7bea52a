#pragma once
// The clipboard watcher: a hidden window of its own in the clipboard viewer
// chain. It passes every notification on to the next viewer at once (never
// waiting long for a viewer that has stopped answering), keeps the chain whole
// when viewers join or leave, and turns the change notifications into calls of
// OnChange from a message of its own: changes that arrive before that message
// is handled make one call, and a call never runs inside another.
#include <windows.h>

#include <functional>

#include "toolkit/Window_win.h"

namespace clipboard {

class TClpbrd : public toolkit::Window {
public:
    TClpbrd();
    ~TClpbrd() override;

    // Joins (true) or leaves (false) the viewer chain; joining brings one
    // change notification at once. Leaving drops every change still waiting
    // (the posted message, a retry): nothing runs until watching is on again.
    void SetActive(bool active);
    bool Active() const noexcept { return active_; }
    HWND NextViewer() const noexcept { return nextViewer_; }

    // Runs from the message loop after one or more changes.
    std::function<void()> OnChange;
    // For OnChange when the clipboard could not be read (another program held
    // it): OnChange runs again a little later. False once the tries are used up
    // or when watching is off (the change is then dropped, not reported).
    bool RetryLater();

    static constexpr const wchar_t* kWatcherClass = L"PellacorClipboardWatcher";
    // How long a notification waits for the next viewer before it is dropped.
    static constexpr UINT kForwardTimeoutMs = 500;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Forward(UINT msg, WPARAM wParam, LPARAM lParam);
    void ForwardChange(WPARAM wParam, LPARAM lParam);
    // Posts the one message that runs OnChange, unless it is already waiting.
    void ChangeNoticed();
    void RunChange();

    HWND nextViewer_ = nullptr;
    bool active_ = false;
    bool forwarding_ = false;     // a change is being passed on right now
    bool forwardAgain_ = false;   // and another one came meanwhile
    bool posted_ = false;         // the OnChange message is waiting in the queue
    bool running_ = false;        // OnChange is running
    bool runAgain_ = false;       // a change came while it ran
    bool retryAsked_ = false;
    int retries_ = 0;
};

}  // namespace clipboard
