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

}  // namespace

TEST(ClipboardWatcher, JoinsAtOnceOnEachSwitchOnAndRunsChangesWithoutANextViewer) {
    clips::TClpbrd watcher;
    int changes = 0;
    watcher.OnChange = [&] { ++changes; };
    watcher.SetActive(true);
    PumpMessages(50);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(watcher.Active());

    watcher.SetActive(true);  // on while on: no second join
    PumpMessages(50);
    EXPECT_EQ(changes, 1);

    watcher.SetActive(false);
    watcher.SetActive(false);  // off while off: nothing
    EXPECT_FALSE(watcher.Active());
    EXPECT_EQ(watcher.NextViewer(), nullptr);

    watcher.SetActive(true);
    PumpMessages(50);
    EXPECT_EQ(changes, 2);

    // Whatever followed us leaves, and nothing follows it: changes still run.
    SendMessageA(watcher.Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(watcher.NextViewer()), 0);
    ASSERT_EQ(watcher.NextViewer(), nullptr);
    SendMessageA(watcher.Handle(), WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(changes, 3);
    watcher.SetActive(false);
}

TEST(ClipboardWatcher, ChangesAndLeavingNoticesGoDownTheChainWhichIsRepaired) {
    TestViewer third, second, first;
    third.Join();
    HWND afterThird = third.next;
    second.Join();
    first.Join();
    clips::TClpbrd watcher;
    watcher.SetActive(true);  // chain: watcher -> first -> second -> third
    ASSERT_EQ(watcher.NextViewer(), first.Handle());

    third.Leave();  // the notice goes down the chain to the viewer before it
    EXPECT_EQ(watcher.NextViewer(), first.Handle());
    ASSERT_EQ(first.chainChanges.size(), 1u);
    EXPECT_EQ(first.chainChanges[0], std::pair(third.Handle(), afterThird));
    EXPECT_EQ(second.next, afterThird);

    first.Leave();
    EXPECT_EQ(watcher.NextViewer(), second.Handle());
    // A change reaches the watcher first, which tells the next viewer before capturing.
    second.draws = 0;
    int drawsSeenAtChange = -1;
    watcher.OnChange = [&] { drawsSeenAtChange = second.draws; };
    SendMessageA(watcher.Handle(), WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(second.draws, 1);
    EXPECT_EQ(drawsSeenAtChange, 1);
    watcher.SetActive(false);
}
