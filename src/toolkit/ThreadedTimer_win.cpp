#include "toolkit/ThreadedTimer_win.h"

#include "common/Win32Error_win.h"

namespace toolkit {

TThreadedTimer::TThreadedTimer() {
    // Message-only: the window needs no broadcasts, only its own timer.
    CreateHandle(0, 0, HWND_MESSAGE, "PellacorTimer");
}

TThreadedTimer::~TThreadedTimer() {
    enabled_ = false;
    UpdateTimer();
    // The window goes with the base class, and with it any tick still queued.
}

void TThreadedTimer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    UpdateTimer();
}

void TThreadedTimer::SetInterval(uint16_t ms) {
    if (ms == interval_) return;
    interval_ = ms;
    UpdateTimer();
}

void TThreadedTimer::UpdateTimer() {
    if (armed_) KillTimer(Handle(), armed_);
    armed_ = 0;
    if (!enabled_ || interval_ == 0) return;
    UINT_PTR id = lastId_ + 1;
    if (id == 0) id = 1;
    if (!SetTimer(Handle(), id, interval_, nullptr)) common::ThrowLastError(ERROR_NOT_ENOUGH_MEMORY);
    armed_ = lastId_ = id;
}

void TThreadedTimer::Timer() {
    if (OnTimer) OnTimer(*this);
}

LRESULT TThreadedTimer::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // A tick of an earlier arming (queued before a restart or a park) is dropped.
    if (msg == WM_TIMER) {
        if (armed_ != 0 && wParam == armed_) Timer();
        return 0;
    }
    return DefaultProc(msg, wParam, lParam);
}

}  // namespace toolkit
