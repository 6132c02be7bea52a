// The hover timer: parked after construction, a full interval after every
// start, ticks inside a modal menu, nothing after a park or destruction.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TestSupport_win.h"
#include "toolkit/ThreadedTimer_win.h"

using testing_support::PumpMessages;
using toolkit::TThreadedTimer;

namespace {
// Windows timers may fire up to one clock tick before the interval is up.
constexpr DWORD kGranularity = 20;

struct TickLog {
    std::vector<DWORD> at;
    void Attach(TThreadedTimer& timer) {
        timer.OnTimer = [this](TThreadedTimer&) { at.push_back(GetTickCount()); };
    }
};

// Pumps until `log` has `count` ticks or 5 s have passed.
void WaitForTicks(const TickLog& log, size_t count) {
    for (int i = 0; i < 500 && log.at.size() < count; ++i) PumpMessages(10);
}
}  // namespace

TEST(ThreadedTimer, ParkedAfterConstructionUntilAWriteChangesEnabledOrInterval) {
    TThreadedTimer timer;
    TickLog log;
    log.Attach(timer);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1300);
    timer.SetEnabled(true);  // the value held: nothing starts
    PumpMessages(1500);
    EXPECT_TRUE(log.at.empty());

    timer.SetInterval(50);  // a change starts it
    WaitForTicks(log, 3);
    EXPECT_GE(log.at.size(), 3u);
    timer.SetInterval(0);  // no interval, no ticks
    size_t ticks = log.at.size();
    PumpMessages(200);
    EXPECT_EQ(log.at.size(), ticks);
}

TEST(ThreadedTimer, RewritingEnabledKeepsTheIntervalARestartWaitsAFullOne) {
    TThreadedTimer timer;
    TickLog log;
    log.Attach(timer);
    timer.SetInterval(600);
    DWORD started = GetTickCount();
    PumpMessages(400);
    timer.SetEnabled(true);  // not a restart: the tick still comes 600 ms after the start
    WaitForTicks(log, 1);
    ASSERT_EQ(log.at.size(), 1u);
    EXPECT_LT(log.at[0] - started, 950u);

    Sleep(700);  // a tick is due and waits in the queue...
    timer.SetEnabled(false);
    timer.SetEnabled(true);  // ...and is dropped by the restart
    DWORD restarted = GetTickCount();
    WaitForTicks(log, 2);
    ASSERT_EQ(log.at.size(), 2u);
    EXPECT_GE(log.at[1] - restarted, 600 - kGranularity);
}

TEST(ThreadedTimer, AHandlerThatDisablesGetsNoFurtherTick) {
    TThreadedTimer timer;
    int ticks = 0;
    timer.OnTimer = [&](TThreadedTimer& sender) {
        ++ticks;
        sender.SetEnabled(false);
    };
    timer.SetInterval(30);
    PumpMessages(400);
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.Running());
}

TEST(ThreadedTimer, TicksWhileAMenuIsOpen) {
    testing_support::HiddenWindow owner;
    toolkit::UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.get(), MF_STRING, 1, "item");
    TThreadedTimer timer;
    int ticks = 0;
    // Only the third tick closes the menu: the call below returns after it.
    timer.OnTimer = [&](TThreadedTimer&) {
        if (++ticks == 3) EndMenu();
    };
    UINT_PTR safety = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    timer.SetInterval(50);
    SetForegroundWindow(owner.Handle());
    TrackPopupMenuEx(menu.get(), 0, 100, 100, owner.Handle(), nullptr);
    KillTimer(nullptr, safety);
    EXPECT_EQ(ticks, 3);
}

TEST(ThreadedTimer, NoTickAfterDestruction) {
    int ticks = 0;
    auto timer = std::make_unique<TThreadedTimer>();
    timer->OnTimer = [&](TThreadedTimer&) { ++ticks; };
    timer->SetInterval(20);
    Sleep(100);  // ticks are due
    timer.reset();
    PumpMessages(200);
    EXPECT_EQ(ticks, 0);
}
