// Open and send, the Tools submenu and the About box, against the real shell and clipboard.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestSupport_win.h"
#include "app/MainForm_win.h"
#include "clips/Clip_win.h"
#include "common/Win32Error_win.h"
#include "shell/Help.h"
#include "shell/Help_win.h"
#include "shell/OpenAndSend_win.h"
#include "shell/ShellResult.h"
#include "shell/Tools_win.h"
#include "toolkit/Dialog_win.h"

using namespace testing_support;

namespace {
// The bitmap on the clipboard as another program sees it: its size and its middle pixel.
struct Picture {
    long width = 0, height = 0;
    COLORREF middle = CLR_INVALID;
};
Picture ClipboardPicture(HWND reader) {
    toolkit::ClipboardSession clipboard(reader);
    auto bitmap = static_cast<HBITMAP>(clipboard ? GetClipboardData(CF_BITMAP) : nullptr);
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) return {};
    toolkit::UniqueDC dc(CreateCompatibleDC(nullptr));
    toolkit::SelectedObject selected(dc.get(), bitmap);
    return {info.bmWidth, info.bmHeight, GetPixel(dc.get(), info.bmWidth / 2, info.bmHeight / 2)};
}

// Registers `progId` as the program class of web pages while it lives (Wine
// registers none when its HTML engine is left out), then puts back what was there.
struct WebPagesOpenWith {
    explicit WebPagesOpenWith(const char* progId) {
        char value[256] = {};
        DWORD size = sizeof(value);
        if (RegGetValueA(HKEY_CLASSES_ROOT, ".htm", nullptr, RRF_RT_REG_SZ, nullptr, value, &size) == 0)
            previous = value;
        RegSetKeyValueA(HKEY_CLASSES_ROOT, ".htm", nullptr, REG_SZ, progId, DWORD(strlen(progId) + 1));
    }
    ~WebPagesOpenWith() {
        if (previous.empty()) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
        else RegSetKeyValueA(HKEY_CLASSES_ROOT, ".htm", nullptr, REG_SZ, previous.c_str(), DWORD(previous.size() + 1));
    }
    std::string previous;
};

// The system's error texts end with a line break.
std::string WithoutLineBreak(const std::string& text) { return text.substr(0, text.find_last_not_of("\r\n") + 1); }

// The stand-in for the desktop's opener (tests/opener) logs here when the test
// run puts it first on PATH; each line is the opener's name and its argument.
std::string OpenerLog() {
    char unixPath[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("PELLACOR_OPENER_LOG", unixPath, sizeof(unixPath))) return {};
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
}

std::string WaitForOpenerLine(const std::string& log) {
    std::string text;
    PumpUntil([&] { return !(text = ReadWholeFile(log)).empty() && text.back() == '\n'; }, 10000);
    return !text.empty() && text.back() == '\n' ? text.substr(0, text.size() - 1) : std::string();
}

// A visible window that is all red: what a capture of it must show.
class RedWindow : public toolkit::Window {
public:
    explicit RedWindow(RECT r) {
        CreateHandle(0, WS_POPUP, nullptr, "Red");
        SetWindowPos(Handle(), HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
        UpdateWindow(Handle());
    }

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_ERASEBKGND) return DefaultProc(msg, wParam, lParam);
        RECT client;
        GetClientRect(Handle(), &client);
        toolkit::UniqueGdiObject red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(red.get()));
        return 1;
    }
};

using Capture = ::testing::Test;

}  // namespace

TEST(ShellOpen, AFailureShowsTheSystemsText) {
    TempFolder folder;  // holds no help file
    MessageBoxRecorder boxes;
    shell::Open(folder.File("missing.xyz"));
    shell::ShowHelpContents(folder.Path());
    ASSERT_EQ(boxes.boxes.size(), 2u);
    for (const RecordedBox& box : boxes.boxes) {
        EXPECT_EQ(box.title, "PELLACOR : 错误 ");
        EXPECT_EQ(box.flags, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(WithoutLineBreak(box.text), common::SystemErrorText(ERROR_FILE_NOT_FOUND));
    }
}

TEST(OpenInNewWindow, TheTemporaryPageIsGoneOnSuccessAndOnFailure) {
    TempFolder folder;
    TemporaryFolderSetTo temp(folder.Path());
    const std::string page = shell::TemporaryPagePath();
    EXPECT_EQ(page, folder.File("Pellacor-Tmp.htm"));
    std::string log = OpenerLog();
    if (!log.empty()) WriteWholeFile(log, "");
    {
        // Success: an old page is overwritten, the browser gets the link, the page is gone.
        WebPagesOpenWith browser("htmlfile");
        WriteWholeFile(page, "left over");
        MessageBoxRecorder boxes;
        shell::OpenInNewWindow("https://example.org/a?b=1&c=2");
        EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.front().text;
        EXPECT_FALSE(FileExists(page));
        if (!log.empty()) {
            EXPECT_EQ(WaitForOpenerLine(log), "xdg-open https://example.org/a?b=1&c=2");
        }
    }
    {
        // No program for web pages: the shell sets no error code here, so its
        // result says what happened; and the page is gone.
        WebPagesOpenWith nothing("PellacorTest.NoSuchClass");
        MessageBoxRecorder boxes;
        shell::OpenInNewWindow("https://example.org/");
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].title, "PELLACOR : 错误 ");
        EXPECT_EQ(boxes.boxes[0].text, shell::ShellResultText(SE_ERR_NOASSOC));
        EXPECT_FALSE(FileExists(page));
    }
}

TEST(EmptyClipboard, OnlyAYesEmptiesItAndTheItemFollowsTheClipboard) {
    HiddenWindow other;
    toolkit::MenuItem mniEmptyClipboard("清空剪贴板");
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, "keep me")}));
    shell::UpdateEmptyClipboardItem(mniEmptyClipboard);
    EXPECT_TRUE(mniEmptyClipboard.Enabled());
    {
        MessageBoxRecorder no(IDNO);
        shell::EmptyClipboardAfterConfirmation();
        EXPECT_EQ(no.boxes, (std::vector<RecordedBox>{{"你确实要清空剪贴板内容吗 ?", "确认   ", 0x1124}}));
        EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    }
    {
        MessageBoxRecorder yes(IDYES);
        shell::EmptyClipboardAfterConfirmation();
        EXPECT_EQ(CountClipboardFormats(), 0);
    }
    EXPECT_TRUE(ClipboardIsFree());
    shell::UpdateEmptyClipboardItem(mniEmptyClipboard);
    EXPECT_FALSE(mniEmptyClipboard.Enabled());
}

TEST_F(Capture, PicturesOfTheRightSizeBecomeClipsOnlyWhileWatching) {
    QuietFolder folder("");  // watching from the start
    HiddenWindow other;
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {}));
    app::TfrmMain form(folder.Path());
    PumpPending();
    ASSERT_EQ(form.History().ClipboardCount(), 0);

    const RECT frame{60, 70, 380, 270};
    RedWindow red(frame);
    SetForegroundWindow(red.Handle());
    ASSERT_TRUE(WaitedFor("the red window in front, on the screen", [&] {
        toolkit::WindowDC screen(nullptr);
        return shell::WindowToCapture() == red.Handle() && GetPixel(screen.get(), 220, 170) == RGB(255, 0, 0);
    }));
    shell::CaptureWindow();
    EXPECT_TRUE(WaitedFor("the picture captured", [&] { return form.History().ClipboardCount() == 1; }));
    Picture window = ClipboardPicture(other.Handle());
    EXPECT_EQ(window.width, 320);
    EXPECT_EQ(window.height, 200);
    EXPECT_EQ(window.middle, RGB(255, 0, 0));
    ASSERT_EQ(form.History().ClipboardCount(), 1);
    EXPECT_EQ(form.History().Clips(history::Section::Clipboard).back()->Kind(), clips::kImage);

    form.Menus().Find("监视剪贴板")->Click();  // watching off
    ASSERT_FALSE(form.Menus().Find("监视剪贴板")->Checked());
    shell::CaptureScreen();
    PumpPending();  // the copy tells the chain at once; the watcher is not in it
    Picture screen = ClipboardPicture(other.Handle());
    EXPECT_EQ(screen.width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(screen.height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_EQ(form.History().ClipboardCount(), 1);
    EXPECT_TRUE(ClipboardIsFree());
}

TEST_F(Capture, NothingIsTakenWhileTheDesktopIsLockedAndTheUserIsTold) {
    HiddenWindow other;
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, "unchanged")}));
    MessageBoxRecorder boxes;
    {
        toolkit::WindowUpdateLock anotherProgram(GetDesktopWindow());
        ASSERT_TRUE(anotherProgram);
        shell::CaptureScreen();
        shell::CaptureWindow();
    }
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    const RecordedBox locked{"另一个程序正锁定屏幕的绘制, 现在无法截图.", "PELLACOR : 错误 ", MB_ICONERROR};
    EXPECT_EQ(boxes.boxes, (std::vector<RecordedBox>{locked, locked}));
}

TEST(About, TheSystemsBoxShowsOurTextsAndIconAndClosesWithOk) {
    HiddenWindow owner;
    bool hasIcon = false;
    std::string texts;
    TimedSteps answer({[&] {
        HWND box = OpenDialog();
        if (!box || GetWindow(box, GW_OWNER) != owner.Handle()) return false;
        texts = toolkit::WindowText(box);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            texts.append("|").append(toolkit::WindowText(child));
            hasIcon |= SendMessageA(child, STM_GETICON, 0, 0) != 0;
        }
        Click(GetDlgItem(box, IDOK));
        return true;
    }});
    shell::ShowAbout(owner.Handle());  // returns once the box is closed
    EXPECT_TRUE(answer.Done());
    EXPECT_NE(texts.find("PELLACOR"), std::string::npos) << texts;
    EXPECT_NE(texts.find(shell::kAboutCredit), std::string::npos) << texts;
    EXPECT_TRUE(hasIcon);
}
