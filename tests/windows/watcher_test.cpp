// The clipboard watcher in the real viewer chain.
#include <gtest/gtest.h>

#include <vector>

#include "TestSupport_win.h"
#include "clips/Clpbrd_win.h"

using testing_support::PumpMessages;

namespace {

// A well-behaved viewer of the test's own that records what reaches it.
class TestViewer : public toolkit::Window {
public:
    TestViewer() { CreateHandle(WS_EX_TOOLWINDOW, WS_POPUP, nullptr, "TestViewer"); }
    ~TestViewer() override { Leave(); }
    void Join() {
        joined = true;
        next = SetClipboardViewer(Handle());
    }
    void Leave() {
        if (joined) ChangeClipboardChain(Handle(), next);
        joined = false;
    }
    HWND next = nullptr;
    bool joined = false;
    int draws = 0;
    std::vector<std::pair<HWND, HWND>> chainChanges;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_DRAWCLIPBOARD) {
            ++draws;
            if (next) SendMessageA(next, msg, wParam, lParam);
            return 0;
        }
        if (msg == WM_CHANGECBCHAIN) {
            chainChanges.emplace_back(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
            if (reinterpret_cast<HWND>(wParam) == next) next = reinterpret_cast<HWND>(lParam);
            else if (next) SendMessageA(next, msg, wParam, lParam);
            return 0;
        }
        return DefaultProc(msg, wParam, lParam);
    }
};

struct CountingWatcher {
    clips::TClpbrd watcher;
    int changes = 0;
    CountingWatcher() {
        watcher.OnChange = [this] { ++changes; };
    }
};

}  // namespace

TEST(ClipboardWatcher, JoinsAtOnceOnEachSwitchOnAndRunsChangesWithoutANextViewer) {
    CountingWatcher w;
    w.watcher.SetActive(true);
    PumpMessages(50);
    EXPECT_EQ(w.changes, 1);
    EXPECT_TRUE(w.watcher.Active());

    w.watcher.SetActive(true);  // on while on: no second join
    PumpMessages(50);
    EXPECT_EQ(w.changes, 1);

    w.watcher.SetActive(false);
    w.watcher.SetActive(false);  // off while off: nothing
    EXPECT_FALSE(w.watcher.Active());
    EXPECT_EQ(w.watcher.NextViewer(), nullptr);

    w.watcher.SetActive(true);
    PumpMessages(50);
    EXPECT_EQ(w.changes, 2);

    // Whatever followed us leaves, and nothing follows it: changes still run.
    SendMessageA(w.watcher.Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(w.watcher.NextViewer()), 0);
    ASSERT_EQ(w.watcher.NextViewer(), nullptr);
    SendMessageA(w.watcher.Handle(), WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(w.changes, 3);
    w.watcher.SetActive(false);
}

TEST(ClipboardWatcher, ChangesAndLeavingNoticesGoDownTheChainWhichIsRepaired) {
    TestViewer third, second, first;
    third.Join();
    HWND afterThird = third.next;
    second.Join();
    first.Join();
    CountingWatcher w;
    w.watcher.SetActive(true);  // chain: watcher -> first -> second -> third
    ASSERT_EQ(w.watcher.NextViewer(), first.Handle());

    third.Leave();  // the notice goes down the chain to the viewer before it
    EXPECT_EQ(w.watcher.NextViewer(), first.Handle());
    ASSERT_EQ(first.chainChanges.size(), 1u);
    EXPECT_EQ(first.chainChanges[0], std::pair(third.Handle(), afterThird));
    EXPECT_EQ(second.next, afterThird);

    first.Leave();
    EXPECT_EQ(w.watcher.NextViewer(), second.Handle());
    // A change reaches the watcher first, which tells the next viewer before capturing.
    second.draws = 0;
    int drawsSeenAtChange = -1;
    w.watcher.OnChange = [&] { drawsSeenAtChange = second.draws; };
    SendMessageA(w.watcher.Handle(), WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(second.draws, 1);
    EXPECT_EQ(drawsSeenAtChange, 1);
    w.watcher.SetActive(false);
}
