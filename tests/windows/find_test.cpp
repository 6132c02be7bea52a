// Finding a clip by typing, picking it plain and pasting it at once: the find
// window driven inside the test, a test window that records the paste.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "HistoryFixture.h"
#include "SlowCopy.h"
#include "app/MainForm_win.h"
#include "common/CodePage.h"
#include "find/ClipFinder_win.h"
#include "find/Paste_win.h"
#include "toolkit/Dpi_win.h"

using namespace testing_support;

namespace {

// A visible window of "another program" (a class not ours) that records the keys it gets.
class PasteTarget {
public:
    PasteTarget() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PasteTarget";
        RegisterClassW(&wc);  // a second fixture finds it registered
        window_ = CreateWindowExW(0, L"PasteTarget", L"PasteTarget", WS_POPUP | WS_VISIBLE, 600, 400, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
        keys().clear();
    }
    ~PasteTarget() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }
    // "Ctrl+V" for each V pressed while Ctrl was down.
    static std::vector<std::string>& keys() {
        static std::vector<std::string> recorded;
        return recorded;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_KEYDOWN && wParam == 'V') keys().push_back(GetKeyState(VK_CONTROL) < 0 ? "Ctrl+V" : "V");
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    HWND window_;
};

struct FindTest : ::testing::Test {
    QuietFolder folder;
    app::TfrmMain form{folder.Path()};
    HiddenWindow other{"AnotherProgram"};
    PasteTarget target;
    MessageBoxRecorder boxes;

    void SetUp() override {
        form.Settings().PreviewMode = false;
        for (const char* text : {"alpha one", "beta two", "Beta three"}) Copy(text);
    }
    void Copy(const char* text) {
        ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, text)}));
        form.ClipboardChanged();
    }
    find::FindWindow& Find() { return *form.Find(); }
    void Key(UINT key) {
        SendMessageW(Find().Edit(), WM_KEYDOWN, key, 0);
        PumpPending();
    }
    void TypeInFind(const wchar_t* text) { SetWindowTextW(Find().Edit(), text); }
    std::wstring Status() {
        wchar_t text[64] = L"";
        GetWindowTextW(Find().Status(), text, 64);
        return text;
    }
    // Picks the first clip `typed` finds, as Enter would, for the paste into `back`.
    void PickFound(const wchar_t* typed, HWND back) {
        form.OpenFind(typed, back);
        Key(VK_RETURN);
    }
    static ::testing::AssertionResult Pasted() {
        return WaitedFor("the paste", [] { return !PasteTarget::keys().empty(); });
    }
    int Listed() { return static_cast<int>(SendMessageW(Find().List(), LVM_GETITEMCOUNT, 0, 0)); }
    std::string ClipboardText() {
        std::vector<uint8_t> bytes = ClipboardBytes(other.Handle(), CF_TEXT);
        return {bytes.begin(), std::find(bytes.begin(), bytes.end(), 0)};
    }
};

}  // namespace

TEST_F(FindTest, TypingNarrowsTheListAndEnterPutsTheSelectedClipBackAndGivesTheForegroundBack) {
    form.OpenFind(L"", target.Handle());
    ASSERT_TRUE(Find().IsOpen());
    EXPECT_EQ(GetForegroundWindow(), Find().Handle());
    EXPECT_EQ(GetFocus(), Find().Edit());
    EXPECT_EQ(Listed(), 3);
    EXPECT_EQ(Status(), L"3 / 3 个剪辑");
    EXPECT_EQ(Find().SelectedClip()->Caption(), "Beta three");  // newest first, the first selected

    TypeInFind(L"BETA");
    EXPECT_EQ(Listed(), 2);
    EXPECT_EQ(Status(), L"2 / 3 个剪辑");
    Key(VK_DOWN);
    EXPECT_EQ(Find().SelectedClip()->Caption(), "beta two");
    EXPECT_EQ(GetFocus(), Find().Edit());  // the edit keeps the focus
    Key(VK_RETURN);
    EXPECT_FALSE(Find().IsOpen());
    EXPECT_EQ(ClipboardText(), "beta two");
    EXPECT_TRUE(WaitedFor("the foreground back", [&] { return GetForegroundWindow() == target.Handle(); }));
    EXPECT_TRUE(form.History().IsOnClipboard(*form.History().Clips(history::Section::Clipboard)[1]));
    EXPECT_TRUE(PasteTarget::keys().empty());  // AutoPaste is off
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FindTest, ACopyMeanwhileKeepsTheSelectionOnTheSameClipWhichGoesOnlyWithTheClip) {
    form.OpenFind(L"", target.Handle());
    Key(VK_DOWN);
    ASSERT_EQ(Find().SelectedClip()->Caption(), "beta two");
    Copy("Beta four");  // listed first now, above the selection
    EXPECT_EQ(Listed(), 4);
    EXPECT_EQ(Find().SelectedClip()->Caption(), "beta two");
    form.History().Remove(*Find().SelectedClip());
    EXPECT_EQ(Find().SelectedClip(), nullptr);
    Key(VK_RETURN);  // nothing selected: nothing is put back
    EXPECT_EQ(ClipboardText(), "Beta four");
}

TEST_F(FindTest, ADoubleClickOnAnEntryPutsItBackOnceTheListHasDoneWithTheClick) {
    form.OpenFind(L"", target.Handle());
    RECT item{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessageW(Find().List(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)));
    LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageW(Find().List(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    EXPECT_TRUE(Find().IsOpen());  // still: the pick waits for the list to return
    EXPECT_TRUE(WaitedFor("the posted pick", [&] { return !Find().IsOpen(); }));
    EXPECT_EQ(ClipboardText(), "beta two");
}

TEST_F(FindTest, EscOrLosingTheActivationClosesWithoutAChange) {
    form.OpenFind(L"al", target.Handle());
    EXPECT_EQ(Listed(), 1);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Find().IsOpen());
    EXPECT_TRUE(WaitedFor("the foreground back", [&] { return GetForegroundWindow() == target.Handle(); }));

    form.OpenFind(L"al", nullptr);
    ASSERT_TRUE(Find().IsOpen());
    SetForegroundWindow(target.Handle());
    EXPECT_TRUE(WaitedFor("the find window closed", [&] { return !Find().IsOpen(); }));
    EXPECT_EQ(ClipboardText(), "Beta three");  // what was copied last, untouched
    EXPECT_TRUE(form.History().IsOnClipboard(*form.History().Clips(history::Section::Clipboard)[2]));
}

TEST_F(FindTest, ALetterTypedInTheOpenHistoryMenuClosesItAndOpensTheFindWindowWithIt) {
    TimedSteps run({[&] {
        HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return false;
        PostMessageA(menu, WM_CHAR, 'b', 0);
        return true;
    }});
    form.PopupAtCursor(form.HistoryMenu());
    EXPECT_TRUE(run.Done());
    ASSERT_TRUE(WaitedFor("the find window", [&] { return form.Find() && Find().IsOpen(); }));
    wchar_t typed[8] = L"";
    GetWindowTextW(Find().Edit(), typed, 8);
    EXPECT_STREQ(typed, L"b");
    EXPECT_EQ(Listed(), 2);
    Key(VK_ESCAPE);
}

TEST_F(FindTest, AutoPasteSendsCtrlVToTheWindowTheUserCameFromAndNowhereElse) {
    form.Settings().AutoPaste = true;
    PickFound(L"one", target.Handle());
    EXPECT_TRUE(Pasted());
    EXPECT_EQ(ClipboardText(), "alpha one");
    EXPECT_EQ(PasteTarget::keys(), std::vector<std::string>{"Ctrl+V"});

    // No window to go back to (opened from the tray): nothing is sent.
    PasteTarget::keys().clear();
    SetForegroundWindow(target.Handle());
    PickFound(L"two", nullptr);
    PumpMessages(300);  // what must not come: a paste, which above came well within this
    EXPECT_EQ(ClipboardText(), "beta two");
    EXPECT_TRUE(PasteTarget::keys().empty());

    EXPECT_TRUE(find::IsPasteTarget(target.Handle()));
    EXPECT_FALSE(find::IsPasteTarget(nullptr));
    EXPECT_FALSE(find::IsPasteTarget(form.Handle()));
    EXPECT_FALSE(find::IsPasteTarget(other.Handle()));  // a window of our class
    EXPECT_FALSE(find::IsPasteTarget(GetDesktopWindow()));
}

TEST_F(FindTest, AutoPastePastesOnlyWhatThePickPutOnTheClipboard) {
    form.Settings().AutoPaste = true;
    // Watching off, another program copies: picking the bold clip writes it again before the paste.
    form.SetMonitorClipboard(false);
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, "a secret")}));
    PickFound(L"three", target.Handle());
    EXPECT_TRUE(Pasted());
    EXPECT_EQ(ClipboardText(), "Beta three");
    EXPECT_EQ(PasteTarget::keys(), std::vector<std::string>{"Ctrl+V"});

    // A write that cannot happen (told once) pastes nothing: the clipboard holds another program's content.
    PasteTarget::keys().clear();
    {
        SlowCopy holder("held", 10000);  // till the block ends: longer than a write waits
        PickFound(L"two", target.Handle());
    }
    PumpMessages(300);  // no paste must come: the one above arrived well within this
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(PasteTarget::keys().empty());
    EXPECT_EQ(ClipboardText(), "held");
    boxes.boxes.clear();
}

TEST_F(HistoryFixture, CopyAsPlainTextLeavesOnlyThePlainTextAndNoClipMarked) {
    const std::string html = "Version:0.9\r\n<html><body><!--StartFragment--><b>bold</b><!--EndFragment--></body></html>";
    for (UINT rich : {clipboard::HTMLFormat, clipboard::RichTextFormat}) {
        Copy({testing_support::Text(rich, rich == clipboard::HTMLFormat ? html : "{\\rtf1 bold}"),
              testing_support::UnicodeText("bold 粗体 😀")});
        clips::TClip& clip = *static_cast<clips::TClip*>(Newest());
        ASSERT_TRUE(clip.CopiesAsPlainText());
        history->CopyAsPlainText(clip);
        EXPECT_EQ(ReadUnicodeText(), "bold 粗体 😀");
        EXPECT_EQ(ReadText(CF_TEXT), common::Utf8ToCodePage("bold 粗体 😀", CP_ACP));
        EXPECT_FALSE(IsClipboardFormatAvailable(clipboard::HTMLFormat) ||
                     IsClipboardFormatAvailable(clipboard::RichTextFormat));
        EXPECT_EQ(MarkedItems(), 0);
        int before = Clips();
        history->ClipboardChanged();  // our own write: no clip
        EXPECT_EQ(Clips(), before);
        EXPECT_EQ(*clip.DuplicateData(), rich == clipboard::HTMLFormat ? html : "{\\rtf1 bold}");  // unchanged
    }
    // Rich text or HTML that came alone: the text the preview shows.
    const std::string alone = "Version:0.9\r\n<html><body><!--StartFragment--><p><b>bold</b> words</p><!--EndFragment-->";
    Copy({testing_support::Text(clipboard::HTMLFormat, alone)});
    history->CopyAsPlainText(*Newest());
    EXPECT_EQ(ReadUnicodeText(), NewestAs<clips::TClipHTMLText>()->LiteHTMLText());
    EXPECT_NE(ReadUnicodeText(), "");
    Copy({testing_support::Text(clipboard::RichTextFormat, "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\b bold\\b0  words}")});
    history->CopyAsPlainText(*Newest());
    EXPECT_EQ(ReadUnicodeText(), "bold words");
    // A plain-text clip has no second form: nothing is written.
    CopyText("just text");
    Put({testing_support::Text(CF_TEXT, "elsewhere")});
    history->CopyAsPlainText(*static_cast<clips::TClip*>(Newest()));
    EXPECT_EQ(ReadText(CF_TEXT), "elsewhere");
}

TEST_F(HistoryFixture, TheFinderKeepsFoldedTextsAcrossReloadsButFoldsAChangedClipAgain) {
    CopyText("Alpha");
    clips::TClipText* personal = AddPersonal("ΣΟΦΙΑ 剪贴板");  // code page 936 has the Greek capitals
    find::ClipFinder finder(*history);
    finder.Filter(reinterpret_cast<const char*>(u8"σοφια"));
    EXPECT_EQ(finder.FoundCount(), 1u);
    finder.Filter("");
    ASSERT_EQ(finder.FoundCount(), 2u);
    EXPECT_EQ(finder.FoundAt(0), personal);  // the personal clips come first
    personal->Text = "transformed";
    finder.Reload();
    finder.Filter("TRANSFORMED");
    EXPECT_EQ(finder.FoundCount(), 1u);
    history->Remove(*personal);
    finder.Filter("transformed");  // not reloaded yet: the clip is gone and never listed
    EXPECT_EQ(finder.FoundCount(), 0u);
    EXPECT_EQ(finder.FoundAt(0), nullptr);
}

TEST_F(FindTest, ShiftWithEnterPutsARichClipsPlainTextBackAndThePreviewShowsBesideTheWindow) {
    const std::string html = "Version:0.9\r\n<html><body><!--StartFragment--><b>rich</b><!--EndFragment--></body></html>";
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(clipboard::HTMLFormat, html), Text(CF_TEXT, "rich words")}));
    form.ClipboardChanged();
    Copy("newest");
    form.Settings().PreviewMode = true;
    form.Hover()->HoverTimer.SetInterval(50);
    form.OpenFind(L"rich", target.Handle());
    ASSERT_TRUE(WaitedFor("the preview", [&] {
        HWND shown = form.Hover()->Preview.Handle();
        return shown && IsWindowVisible(shown);
    }));
    RECT window{}, preview{};
    GetWindowRect(Find().Handle(), &window);
    GetWindowRect(form.Hover()->Preview.Handle(), &preview);
    EXPECT_TRUE(preview.left == window.right || preview.right == window.left);
    EXPECT_EQ(preview.top, window.top);

    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(VK_RETURN);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_FALSE(Find().IsOpen());
    EXPECT_FALSE(form.Hover()->Preview.Handle());
    EXPECT_EQ(ClipboardText(), "rich words");
    EXPECT_FALSE(IsClipboardFormatAvailable(clipboard::HTMLFormat));
    for (clips::TClip* clip : form.History().Clips(history::Section::Clipboard)) EXPECT_FALSE(form.History().IsOnClipboard(*clip));
}

TEST_F(FindTest, MovedToAMonitorOfTwiceTheDpiTheWindowTakesTheSuggestedPlaceAndItsControlsGrow) {
    form.OpenFind(L"", target.Handle());
    auto sizeOf = [](HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    };
    const std::pair<HWND, SIZE> controls[] = {{Find().Edit(), sizeOf(Find().Edit())},
                                              {Find().List(), sizeOf(Find().List())},
                                              {Find().Status(), sizeOf(Find().Status())}};
    RECT window{};
    GetWindowRect(Find().Handle(), &window);
    RECT suggested{window.left, window.top, window.left + 2 * (window.right - window.left),
                   window.top + 2 * (window.bottom - window.top)};
    SendMessageW(Find().Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));

    RECT now{};
    GetWindowRect(Find().Handle(), &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    for (const auto& [control, before] : controls) {
        SIZE after = sizeOf(control);
        EXPECT_NEAR(after.cx, 2 * before.cx, 2);
        EXPECT_NEAR(after.cy, 2 * before.cy, 4);  // a font twice as high rounds its own way
    }
    EXPECT_EQ(Listed(), 3);
}
