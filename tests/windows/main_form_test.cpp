// The hidden main form: tray-icon mouse messages, the hot key, start-up and shutdown.
#include <gtest/gtest.h>

#include <thread>

#include "TestSupport_win.h"
#include "app/MainForm_win.h"
#include "common/Settings.h"
#include "common/Win32Error_win.h"
#include "toolkit/Application_win.h"

using namespace testing_support;

// Each form loads the settings of its folder; they are put back after the test.
using MainFormTrayIcon = ::testing::Test;
using MainFormShutdown = ::testing::Test;
using MainFormStartUp = ::testing::Test;
using MainFormCapture = ::testing::Test;

TEST_F(MainFormTrayIcon, ButtonUpOpensMenusButtonDownDoesNot) {
    QuietFolder folder;
    app::TfrmMain form(folder.Path());
    ASSERT_TRUE(form.Tray() && form.Tray()->Added());
    EXPECT_EQ(common::Utf8(form.Tray()->Data().szTip), "PELLACOR  [ 0 剪辑 - 0 个人剪辑  ]");
    auto send = [&](UINT mouse) { SendMessageA(form.Handle(), app::WM_TRAYICON, 1, mouse); };
    {
        MenuCloser menus;
        for (UINT mouse : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK, WM_MOUSEMOVE}) send(mouse);
        EXPECT_TRUE(menus.opened.empty());
        for (UINT mouse : {WM_LBUTTONUP, WM_RBUTTONUP, WM_CONTEXTMENU}) send(mouse);
        HMENU history = form.HistoryMenu();
        EXPECT_EQ(menus.opened, (std::vector{history, form.GeneralMenu(), history}));
    }
    {
        // While a dialog of ours is open the icon opens nothing; the hot key still does.
        toolkit::Application::Instance().FormOpened();
        MenuCloser menus;
        send(WM_LBUTTONUP);
        send(WM_RBUTTONUP);
        EXPECT_TRUE(menus.opened.empty());
        SendMessageA(form.Handle(), WM_HOTKEY, 0, 0);
        EXPECT_EQ(menus.opened, std::vector{form.HistoryMenu()});
        toolkit::Application::Instance().FormClosed();
    }
}

TEST(HotKey, RegistersReRegistersAndUnregisters) {
    HiddenWindow window;
    app::HotKey hotKey(window.Handle());
    ASSERT_TRUE(HotKeyFree(MOD_ALT | MOD_CONTROL, 'A'));
    hotKey.Apply(true, 49217);  // Ctrl+Alt+A
    EXPECT_TRUE(hotKey.Registered());
    EXPECT_NE(hotKey.Id(), 0);
    EXPECT_FALSE(HotKeyFree(MOD_ALT | MOD_CONTROL, 'A'));

    hotKey.Apply(true, 0x6070);  // Ctrl+Shift+F1 replaces it
    EXPECT_TRUE(HotKeyFree(MOD_ALT | MOD_CONTROL, 'A'));
    EXPECT_FALSE(HotKeyFree(MOD_CONTROL | MOD_SHIFT, VK_F1));

    hotKey.Apply(false, 0);
    EXPECT_FALSE(hotKey.Registered());
    EXPECT_EQ(hotKey.Id(), 0);
    EXPECT_TRUE(HotKeyFree(MOD_CONTROL | MOD_SHIFT, VK_F1));
}

TEST_F(MainFormShutdown, AFailedSettingsWriteStillGivesTheHotKeyBack) {
    TempFolder folder;
    // A folder where the settings file should be: reads give defaults, writes fail.
    CreateDirectoryA(folder.File("Pellacor.ini").c_str(), nullptr);
    MessageBoxRecorder boxes;
    {
        app::TfrmMain form(folder.Path());
        if (form.Watcher()) form.Watcher()->SetActive(false);
        EXPECT_FALSE(HotKeyFree(MOD_ALT, 'V'));
    }
    EXPECT_EQ(boxes.boxes.size(), 1u);  // one failure naming the keys
    EXPECT_TRUE(HotKeyFree(MOD_ALT, 'V'));
}

TEST_F(MainFormShutdown, EndOfSessionSavesOnlyWhenTheSessionReallyEnds) {
    QuietFolder folder;
    app::TfrmMain form(folder.Path());
    SendMessageA(form.Handle(), WM_ENDSESSION, FALSE, 0);
    app::SettingsFile file(folder.File("Pellacor.ini"));
    EXPECT_EQ(file.Read("MaxHistorySize", "absent"), "absent");
    EXPECT_TRUE(form.Tray()->Added());  // a cancelled end leaves everything running

    SendMessageA(form.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(file.Read("MaxHistorySize", "absent"), "20");
}

TEST_F(MainFormStartUp, WatchesFromTheFirstMomentAndAgainAfterSwitchingOn) {
    QuietFolder folder("");  // watching on
    HiddenWindow other;
    auto copy = [&](const char* text) {
        ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, text)}));
    };
    copy("already there");
    app::TfrmMain form(folder.Path());
    auto newest = [&] { return form.History().Menu().mniHistory.Items(form.History().Menu().mniHistory.Count() - 1); };
    ASSERT_TRUE(WaitedFor("the capture at start", [&] { return form.History().ClipboardCount() == 1; }));
    EXPECT_EQ(newest()->Caption(), "already there");

    form.Menus().Find("监视剪贴板")->Click();  // watching off
    EXPECT_FALSE(form.Menus().Find("监视剪贴板")->Checked());
    copy("while off");
    PumpPending();  // the copy tells the chain at once; the watcher is not in it
    EXPECT_EQ(form.History().ClipboardCount(), 1);

    form.Menus().Find("监视剪贴板")->Click();  // on again: what is there now is captured
    ASSERT_TRUE(WaitedFor("the capture after switching on", [&] { return form.History().ClipboardCount() == 2; }));
    EXPECT_EQ(newest()->Caption(), "while off");
    EXPECT_TRUE(newest()->Default());
}

TEST_F(MainFormCapture, SwitchingWatchingOffDropsACaptureWaitingForABusyClipboard) {
    QuietFolder folder("");  // watching on
    MessageBoxRecorder boxes;
    app::TfrmMain form(folder.Path());
    PumpPending();  // the capture of what was there at start
    const int before = form.History().ClipboardCount();
    int tries = 0;
    form.Watcher()->OnChange = [&, capture = form.Watcher()->OnChange] {
        ++tries;
        capture();
    };
    // Another program copies a secret; a third one holds the clipboard open a while.
    HiddenWindow other;
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, "secret")}));
    toolkit::UniqueKernelHandle opened(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    toolkit::UniqueKernelHandle release(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::thread holder([&] {
        HiddenWindow reader("Reader");
        toolkit::ClipboardSession session(reader.Handle());
        SetEvent(opened.get());
        WaitForSingleObject(release.get(), 10000);
    });
    WaitForSingleObject(opened.get(), 10000);
    ASSERT_TRUE(WaitedFor("a capture that found the clipboard busy tried again", [&] { return tries >= 2; }));
    form.Menus().Find("监视剪贴板")->Click();  // watching off
    SetEvent(release.get());
    const int triesWhenOff = tries;
    // What must not come: the retry that was waiting (at most 200 ms) or any after it.
    PumpMessages(500);
    EXPECT_EQ(tries, triesWhenOff);
    EXPECT_EQ(form.History().ClipboardCount(), before);
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.front().text;
    holder.join();
}

TEST_F(MainFormCapture, TheLastCopyOfABurstFromAnotherProgramBecomesTheNewestClipEveryTime) {
    QuietFolder folder("MaxHistorySize=500\r\n");  // watching on
    auto form = std::make_unique<app::TfrmMain>(folder.Path());
    PumpPending();
    auto newest = [&] { return form->History().Menu().mniHistory.Items(form->History().Menu().mniHistory.Count() - 1); };
    for (const char* label : {"first burst", "second burst", "third burst"}) {
        SCOPED_TRACE(label);
        const std::string last = std::string(label) + " 199";
        toolkit::UniqueKernelHandle copier = StartCopyBurst(label, 200);
        ASSERT_TRUE(copier);
        EXPECT_TRUE(WaitedFor("the last copy as the newest clip", [&] { return newest()->Caption() == last; }, 20000));
        EndCopyBurst(label);
        EXPECT_TRUE(WaitedFor("the copier's end", [&] { return WaitForSingleObject(copier.get(), 0) == WAIT_OBJECT_0; }));
        PumpPending();
        EXPECT_EQ(newest()->Caption(), last);
        EXPECT_TRUE(newest()->Default());
    }
}

TEST_F(MainFormStartUp, AWatcherThatCannotBeMadeLeavesTheRestRunningAndOneBoxSaysWhatFailed) {
    // Another part of the process holds the watcher's class name, with a
    // procedure that is not ours: the watcher's window cannot be made.
    const wchar_t* name = clipboard::TClpbrd::kWatcherClass;
    UnregisterClassW(name, GetModuleHandleW(nullptr));  // ours, from an earlier test
    WNDCLASSEXW foreign{};
    foreign.cbSize = sizeof(foreign);
    foreign.lpfnWndProc = DefWindowProcW;
    foreign.hInstance = GetModuleHandleW(nullptr);
    foreign.lpszClassName = name;
    ASSERT_NE(RegisterClassExW(&foreign), 0);
    QuietFolder folder("MaxHistorySize=many\r\n");  // watching wanted, and a setting to replace
    MessageBoxRecorder boxes;
    {
        app::TfrmMain form(folder.Path());
        EXPECT_EQ(form.Watcher(), nullptr);
        EXPECT_TRUE(form.Tray()->Added());  // the steps after it still ran
        EXPECT_TRUE(form.Menus().Find("监视剪贴板")->Checked());  // the user's choice is kept
        EXPECT_FALSE(form.Menus().Find("监视剪贴板")->Enabled());
        form.Menus().Find("监视剪贴板")->Click();
        PumpPending();
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].title, common::TitleText(common::BoxTitle::Error));
        EXPECT_EQ(boxes.boxes[0].flags, static_cast<UINT>(MB_ICONERROR));
        const std::string& text = boxes.boxes[0].text;
        EXPECT_NE(text.find(common::SystemErrorText(ERROR_CLASS_ALREADY_EXISTS)), std::string::npos) << text;
        EXPECT_NE(text.find("MaxHistorySize"), std::string::npos) << text;
    }
    EXPECT_EQ(boxes.boxes.size(), 1u);  // the exit went through without a word
    EXPECT_TRUE(UnregisterClassW(name, GetModuleHandleW(nullptr)));
}
