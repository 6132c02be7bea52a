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

// The times of the timer's ticks.
struct TickLog : std::vector<DWORD> {
    explicit TickLog(TThreadedTimer& timer) {
        timer.OnTimer = [this](TThreadedTimer&) { push_back(GetTickCount()); };
    }
    // Pumps until there are `count` ticks or 5 s have passed.
    void WaitFor(size_t count) {
        testing_support::PumpUntil([&] { return size() >= count; });
    }
};
}  // namespace

TEST(ThreadedTimer, ParkedAfterConstructionUntilAWriteChangesEnabledOrInterval) {
    TThreadedTimer timer;
    TickLog log(timer);
    timer.SetEnabled(true);  // the value held (a fresh timer reads enabled): nothing starts
    PumpMessages(1500);      // what must not come: a tick, due after the first interval (1300 ms)
    EXPECT_TRUE(log.empty());

    timer.SetInterval(50);  // a change starts it
    log.WaitFor(3);
    EXPECT_GE(log.size(), 3u);
    timer.SetInterval(0);  // no interval, no ticks
    size_t ticks = log.size();
    PumpMessages(200);  // what must not come: more ticks, four intervals' worth
    EXPECT_EQ(log.size(), ticks);
}

TEST(ThreadedTimer, RewritingEnabledKeepsTheIntervalARestartWaitsAFullOne) {
    TThreadedTimer timer;
    TickLog log(timer);
    timer.SetInterval(600);
    DWORD started = GetTickCount();
    PumpMessages(400);  // the write comes in the middle of the interval
    timer.SetEnabled(true);  // not a restart: the tick still comes 600 ms after the start
    log.WaitFor(1);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_LT(log[0] - started, 950u);

    Sleep(700);  // a tick is due and waits in the queue...
    timer.SetEnabled(false);
    timer.SetEnabled(true);  // ...and is dropped by the restart
    DWORD restarted = GetTickCount();
    log.WaitFor(2);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_GE(log[1] - restarted, 600 - kGranularity);
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

TEST(ThreadedTimer, NoTickAfterTheHandlerDisablesItOrAfterDestruction) {
    int ticks = 0;
    auto timer = std::make_unique<TThreadedTimer>();
    timer->OnTimer = [&](TThreadedTimer& sender) {
        ++ticks;
        sender.SetEnabled(false);
    };
    timer->SetInterval(30);
    ASSERT_TRUE(testing_support::WaitedFor("the first tick", [&] { return ticks > 0; }));
    PumpMessages(150);  // what must not come: a second tick, five intervals' worth
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer->Running());

    timer->SetEnabled(true);
    Sleep(100);  // a tick is due
    timer.reset();
    PumpMessages(150);  // what must not come: the tick that was due, or a later one
    EXPECT_EQ(ticks, 1);
}
