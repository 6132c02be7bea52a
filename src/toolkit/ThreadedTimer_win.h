#pragma once
// The hover timer. It waits on a window timer of a hidden window of the GUI
// thread rather than on a worker thread: window timers are dispatched by every
// modal loop (menus, message boxes), a parked timer costs nothing at all, and
// there is no second thread to end at shutdown.
//
// A fresh timer is parked although Enabled reads true; the first write that
// changes Enabled or Interval starts it. Every start waits a full Interval.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "toolkit/Window_win.h"

namespace toolkit {

class TThreadedTimer : private Window {
public:
    using TimerHandler = std::function<void(TThreadedTimer& sender)>;

    TThreadedTimer();
    ~TThreadedTimer() override;

    bool Enabled() const noexcept { return enabled_; }
    // Writing the value held does nothing: a running interval is not restarted.
    void SetEnabled(bool on);
    // Milliseconds; 0 means no ticks.
    uint16_t Interval() const noexcept { return interval_; }
    void SetInterval(uint16_t ms);
    // Runs on the GUI thread on every tick until the timer is disabled.
    TimerHandler OnTimer;

    // True while ticks are due: started, enabled and with an interval.
    bool Running() const noexcept { return armed_ != 0; }

    // The tick: runs OnTimer with this timer as sender.
    void Timer();

private:
    void UpdateTimer();
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    bool enabled_ = true;
    uint16_t interval_ = 1300;
    // The identifier of the window timer now running, 0 when parked. Each start
    // takes a new one, so a tick queued before a restart is recognised and dropped.
    UINT_PTR armed_ = 0;
    UINT_PTR lastId_ = 0;
};

}  // namespace toolkit
