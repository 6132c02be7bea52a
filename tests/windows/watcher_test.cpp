// The clipboard watcher in the real viewer chain.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "TestSupport_win.h"
#include "clipboard/Clpbrd_win.h"

using testing_support::PumpPending;
using testing_support::TestViewer;
using testing_support::WaitedFor;

// The watcher's changes run from a message of its own thread: PumpPending
// runs every one that is waiting, so "nothing more" needs no wait for time.

TEST(ClipboardWatcher, JoinsAtOnceOnEachSwitchOnAndRunsChangesWithoutANextViewer) {
    clipboard::TClpbrd watcher;
    int changes = 0;
    watcher.OnChange = [&] { ++changes; };
    watcher.SetActive(true);
    EXPECT_TRUE(WaitedFor("the join's change", [&] { return changes > 0; }));
    PumpPending();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(watcher.Active());

    watcher.SetActive(true);  // on while on: no second join
    PumpPending();
    EXPECT_EQ(changes, 1);

    watcher.SetActive(false);
    watcher.SetActive(false);  // off while off: nothing
    EXPECT_FALSE(watcher.Active());
    EXPECT_EQ(watcher.NextViewer(), nullptr);

    watcher.SetActive(true);
    EXPECT_TRUE(WaitedFor("the second join's change", [&] { return changes > 1; }));
    PumpPending();
    EXPECT_EQ(changes, 2);

    // Whatever followed us leaves, and nothing follows it: changes still run.
    SendMessageA(watcher.Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(watcher.NextViewer()), 0);
    ASSERT_EQ(watcher.NextViewer(), nullptr);
    SendMessageA(watcher.Handle(), WM_DRAWCLIPBOARD, 0, 0);
    PumpPending();
    EXPECT_EQ(changes, 3);
    watcher.SetActive(false);
}

TEST(ClipboardWatcher, ChangesAndLeavingNoticesGoDownTheChainWhichIsRepaired) {
    TestViewer third, second, first;
    third.Join();
    HWND afterThird = third.next;
    second.Join();
    first.Join();
    clipboard::TClpbrd watcher;
    watcher.SetActive(true);  // chain: watcher -> first -> second -> third
    ASSERT_EQ(watcher.NextViewer(), first.Handle());

    third.Leave();  // the notice goes down the chain to the viewer before it
    EXPECT_EQ(watcher.NextViewer(), first.Handle());
    ASSERT_EQ(first.chainChanges.size(), 1u);
    EXPECT_EQ(first.chainChanges[0], std::pair(third.Handle(), afterThird));
    EXPECT_EQ(second.next, afterThird);

    first.Leave();
    EXPECT_EQ(watcher.NextViewer(), second.Handle());
    // A change reaches the watcher first, which tells the next viewer at once and captures later.
    PumpPending();
    second.draws = 0;
    int drawsSeenAtChange = -1;
    watcher.OnChange = [&] { drawsSeenAtChange = second.draws; };
    SendMessageA(watcher.Handle(), WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(second.draws, 1);
    EXPECT_EQ(drawsSeenAtChange, -1);
    PumpPending();
    EXPECT_EQ(drawsSeenAtChange, 1);
    watcher.SetActive(false);
}

TEST(ClipboardWatcher, ChangesWaitingTogetherMakeOneCallAndNoCallRunsInsideAnother) {
    clipboard::TClpbrd watcher;
    watcher.SetActive(true);  // a watcher that is off runs no change
    PumpPending();            // the join's own notice, before OnChange is set
    int calls = 0, depth = 0, deepest = 0;
    watcher.OnChange = [&] {
        ++calls;
        deepest = std::max(deepest, ++depth);
        if (calls == 1) {
            // A change while we capture, and a modal loop (a message box) that dispatches messages.
            SendMessageA(watcher.Handle(), WM_DRAWCLIPBOARD, 0, 0);
            PumpPending();
        }
        --depth;
    };
    for (int i = 0; i < 5; ++i) SendMessageA(watcher.Handle(), WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(calls, 0);  // nothing runs inside the notification itself
    PumpPending();
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(calls, 2);  // the five as one, then the change that came during it
}

TEST(ClipboardWatcher, AViewerThatStopsAnsweringHoldsUpNeitherChangesNorChainNotices) {
    // The next viewer lives on a thread that stops answering (for at most 10 s,
    // so that a watcher which waits for it fails instead of hanging the run).
    toolkit::UniqueKernelHandle wake(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    toolkit::UniqueKernelHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::atomic<HWND> hung{nullptr};
    std::atomic<bool> answeredAgain{false};
    std::thread viewerThread([&] {
        TestViewer viewer;
        viewer.Join();
        hung = viewer.Handle();
        SetEvent(ready.get());
        WaitForSingleObject(wake.get(), 10000);
        answeredAgain = true;
        PumpPending();
    });
    WaitForSingleObject(ready.get(), 10000);

    clipboard::TClpbrd watcher;
    int changes = 0;
    watcher.OnChange = [&] { ++changes; };
    watcher.SetActive(true);  // its first notification goes to the hung viewer
    ASSERT_EQ(watcher.NextViewer(), hung.load());
    SendMessageA(watcher.Handle(), WM_DRAWCLIPBOARD, 0, 0);
    HWND stranger = testing_support::HiddenWindow().Handle();  // a viewer further down leaves
    SendMessageA(watcher.Handle(), WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(stranger), 0);
    EXPECT_TRUE(WaitedFor("a change run", [&] { return changes > 0; }));
    EXPECT_FALSE(answeredAgain) << "the watcher waited for the hung viewer";

    watcher.SetActive(false);  // we were first in the chain: the hung viewer is not asked
    SetEvent(wake.get());
    viewerThread.join();
}
