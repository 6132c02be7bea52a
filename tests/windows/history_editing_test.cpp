// The commands of the clip pop-up that change the history lists: rename,
// delete, empty a section, move into and out of the personal history.
#include <functional>

#include "HistoryFixture.h"
#include "history/RenameDialog_win.h"
#include "toolkit/Dialog_win.h"

using namespace testing_support;
using clips::ClipRef;

namespace {

struct EditingTest : HistoryFixture {
    // Personal "p1", "p2"; clipboard "c1", "c2", "c3" (oldest first).
    void FillBothSections() {
        AddPersonal("p1");
        AddPersonal("p2");
        for (const char* text : {"c1", "c2", "c3"}) CopyText(text);
    }
    std::string Captions() const {
        std::string all;
        for (int i = 0; i < mniHistory->Count(); ++i) {
            toolkit::MenuItem* item = mniHistory->Items(i);
            all += item->IsSeparator() ? "|" : item->Visible() ? item->Caption() + " " : "";
        }
        return all;
    }
    ClipRef Clip(const char* caption) const {
        for (history::Section section : {history::Section::Personal, history::Section::Clipboard})
            for (clips::TClip* clip : history->Clips(section))
                if (clip->Caption() == caption) return ClipRef(clip);
        return ClipRef();
    }
    // Renames `clip` through the dialog: `act` gets its edit, then `button` is pressed.
    void Rename(const ClipRef& clip, std::function<void(HWND edit)> act, int button = IDOK) {
        TimedSteps answer({OnDialog(history::kRenameTitle, [&](HWND dialog) {
            act(FindWindowExA(dialog, nullptr, "Edit", nullptr));
            Click(GetDlgItem(dialog, button));
        })});
        history->RenameClip(clip);
        EXPECT_TRUE(answer.Done());
    }
    void Rename(const ClipRef& clip, const std::string& typed, int button = IDOK) {
        Rename(clip, [&](HWND edit) { Type(edit, typed); }, button);
    }
};

}  // namespace

TEST_F(EditingTest, APlatformPositionGivesTheClipShownThereAndNoneForHeadersAndMarkers) {
    FillBothSections();  // shown: 0 header, 1 p1, 2 p2, 3 header, 4 c1, 5 c2, 6 c3
    const char* shown[] = {"none", "p1", "p2", "none", "c1", "c2", "c3", "none"};
    for (int position = 0; position < 8; ++position) {
        clips::TClip* clip = history->ClipAtPlatformPosition(position);
        EXPECT_EQ(clip ? clip->Caption() : "none", shown[position]) << position;
    }
    history->Empty(history::Section::Personal);  // its marker shows: 0 header, 1 marker, 2 header, 3 c1
    EXPECT_EQ(history->ClipAtPlatformPosition(1), nullptr);
    EXPECT_EQ(history->ClipAtPlatformPosition(3)->Caption(), "c1");
    EXPECT_EQ(history->Count(history::Section::Personal), 0);
}

TEST_F(EditingTest, RenameTrimsRefusesBlanksAndCancelKeepsTheName) {
    CopyText("clip text");
    ClipRef clip(Newest());
    Rename(clip, "  新名字 \t");
    EXPECT_EQ(Newest()->Caption(), "新名字");
    EXPECT_EQ(NewestAs()->Text, "clip text");  // the name alone changes

    Rename(clip, " \r\n ");
    EXPECT_EQ(boxes.boxes, (std::vector<RecordedBox>{{"名称不能为空.", "警告   ", MB_ICONWARNING | MB_OK}}));
    boxes.boxes.clear();
    EXPECT_EQ(Newest()->Caption(), "新名字");

    Rename(clip, "other", IDCANCEL);
    EXPECT_EQ(Newest()->Caption(), "新名字");
}

TEST_F(EditingTest, RenameDialogOffersTheWholeNameSelectedAndLimitsTyping) {
    CopyText("x");
    Newest()->SetCaption("a caption of 25 bytes....");
    Rename(ClipRef(Newest()), [](HWND edit) {
        EXPECT_EQ(toolkit::WindowText(edit), "a caption of 25 bytes....");
        EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELONG(0, 25));
        EXPECT_EQ(GetFocus(), edit);
        SetWindowTextA(edit, "");
        // Typed as a person would: a Chinese character counts two bytes (MaxCaptionLength is 20).
        for (int i = 0; i < 9; ++i) SendMessageW(edit, WM_CHAR, L'字', 0);
        for (int i = 0; i < 5; ++i) SendMessageA(edit, WM_CHAR, 'y', 0);
        EXPECT_EQ(toolkit::WindowText(edit), "字字字字字字字字字yy");
    }, IDCANCEL);
}

TEST_F(EditingTest, TheRenameEditKeepsOneLineWithinItsLimitWhateverTheTextCameBy) {
    CopyText("x");
    auto put = [&](const char* text) { Put({UnicodeText(text)}); };
    auto withShift = [](bool down) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    };
    Rename(ClipRef(Newest()), [&](HWND edit) {  // MaxCaptionLength is 20
        put("第一行\r\n第二行");
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SendMessageA(edit, WM_PASTE, 0, 0);
        EXPECT_EQ(toolkit::WindowText(edit), "第一行");

        put("a一二三四五六七八九十bcdefghijk");  // 31 bytes
        SetWindowTextA(edit, "");
        withShift(true);
        SendMessageA(edit, WM_KEYDOWN, VK_INSERT, 0);
        withShift(false);
        EXPECT_EQ(toolkit::WindowText(edit), "a一二三四五六七八九");  // 19 bytes: the next character would split

        SetWindowTextA(edit, "");
        // An input method's result: the system turns each WM_IME_CHAR into a posted WM_CHAR.
        for (int i = 0; i < 11; ++i) SendMessageW(edit, WM_IME_CHAR, L'字', 0);
        for (MSG m; PeekMessageW(&m, edit, WM_CHAR, WM_CHAR, PM_REMOVE);) DispatchMessageW(&m);
        EXPECT_EQ(toolkit::WindowText(edit), "字字字字字字字字字字");
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("new\r\nname that is far too long"));
        EXPECT_EQ(toolkit::WindowText(edit), "new");
    });
    EXPECT_EQ(Newest()->Caption(), "new");
}

TEST_F(EditingTest, DeleteAsksWhenSetAndNoKeepsTheClip) {
    FillBothSections();
    {
        MessageBoxRecorder no(IDNO);
        history->DeleteClip(Clip("c2"));
        EXPECT_EQ(no.boxes, (std::vector<RecordedBox>{{"你确实要删除这个剪辑吗 ?", "确认   ", 0x124}}));
    }
    EXPECT_EQ(Captions(), "|p1 p2 |c1 c2 c3 ");
    {
        MessageBoxRecorder yes(IDYES);
        history->DeleteClip(Clip("c2"));
    }
    EXPECT_EQ(Captions(), "|p1 p2 |c1 c3 ");
    settings.DeleteClipConf = false;
    history->DeleteClip(Clip("p1"));
    history->DeleteClip(Clip("c3"));  // the clip on the clipboard: the clipboard keeps it
    EXPECT_EQ(Captions(), "|p2 |c1 ");
    EXPECT_EQ(ReadText(CF_TEXT), "c3");
}

TEST_F(EditingTest, EmptyingASectionLeavesTheOtherAndAsksBySection) {
    FillBothSections();
    {
        MessageBoxRecorder yes(IDYES);
        history->EmptySectionOf(Clip("c1"));
        history->EmptySectionOf(Clip("p2"));
        EXPECT_EQ(yes.boxes, (std::vector<RecordedBox>{{"你确实要清空剪贴板历史纪录吗 ? ", "确认 ", 0x124},
                                                       {"你确实要清空个人历史纪录吗 ? ", "确认 ", 0x124}}));
    }
    EXPECT_EQ(Captions(), "|[  空  ] |[  空  ] ");
}

TEST_F(EditingTest, MovingIntoAndOutOfThePersonalHistory) {
    CopyText("only");
    history->AddToPersonalHistory(ClipRef(Newest()));
    EXPECT_EQ(Captions(), "|only |[  空  ] ");
    EXPECT_TRUE(Marked(history->Clips(history::Section::Personal).front()));  // it keeps the mark of the clip on the clipboard
    for (const char* text : {"a", "b", "c"}) CopyText(text);
    for (const char* text : {"a", "b", "c"}) history->AddToPersonalHistory(Clip(text));
    EXPECT_EQ(Captions(), "|only a b c |[  空  ] ");

    // A full clipboard history: the removed clip is the newest, the oldest goes.
    settings.MaxHistorySize = 2;
    CopyText("d");
    CopyText("e");
    history->RemoveFromPersonalHistory(Clip("a"));
    EXPECT_EQ(Captions(), "|only b c |e a ");
}

TEST_F(EditingTest, ACommandNeverActsOnAnotherClipThanTheOneChosen) {
    settings.MaxHistorySize = 3;
    for (const char* text : {"oldest", "middle", "newest"}) CopyText(text);
    ClipRef chosen = Clip("oldest");
    // While the question is open another program copies: the chosen clip is trimmed.
    auto previous = common::SetMessageBoxHandler([&](HWND, const std::string&, const std::string&, UINT) {
        CopyText("copied meanwhile");
        return IDYES;
    });
    history->DeleteClip(chosen);
    history->EmptySectionOf(chosen);
    common::SetMessageBoxHandler(std::move(previous));
    EXPECT_EQ(chosen.Get(), nullptr);
    EXPECT_EQ(Captions(), "|[  空  ] |middle newest copied meanwhile ");
}

TEST_F(EditingTest, SoundsStayOutOfThePersonalHistory) {
    history->Append(std::make_unique<clips::TClipWave>());
    history->AddToPersonalHistory(ClipRef(Newest()));
    EXPECT_EQ(history->PersonalCount(), 0);
}
