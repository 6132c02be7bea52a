// The capture routine on the real clipboard: which text clips a change adds,
// duplicates, trimming, restoring, the emptied clipboard and the blocks we
// read and hand over.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <new>
#include <string>
#include <thread>

#include "HistoryFixture.h"
#include "SlowCopy.h"
#include "clipboard/ClipboardOwner_win.h"
#include "clipboard/ClipboardText_win.h"
#include "clipboard/ClipboardWrite_win.h"
#include "clips/ClipFiles_win.h"
#include "common/CodePage.h"
#include "common/Win32Error_win.h"

using namespace clips;
using namespace clipboard;
using testing_support::SlowCopy;
using testing_support::Text;

namespace {
const std::string kPage = "Version:0.9\r\nStartHTML:-1\r\n<html><body><!--StartFragment--><b>bold</b>"
                          "<!--EndFragment--></body></html>";
}

using CaptureTest = HistoryFixture;

TEST_F(CaptureTest, HtmlBesideTextGivesOneHtmlClip) {
    Copy({Text(CF_TEXT, "bold words"), Text(HTMLFormat, kPage), Text(RichTextFormat, "{\\rtf1 bold}")});
    ASSERT_EQ(Clips(), 1);
    auto* clip = NewestAs<TClipHTMLText>();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->Kind(), kHtml);
    EXPECT_EQ(clip->HTMLText, kPage);
    EXPECT_EQ(clip->Text, "bold words");
    EXPECT_EQ(clip->Caption(), "bold words");
    EXPECT_EQ(clip->LiteHTMLText(), "<b>bold</b>");
    EXPECT_EQ(PlatformDefault(), clip);

    // The same HTML with another plain text is a duplicate, not a plain-text clip.
    Copy({Text(CF_TEXT, "other plain text"), Text(HTMLFormat, kPage)});
    EXPECT_EQ(Clips(), 1);
}

// The text of a change comes from CF_UNICODETEXT; a CF_TEXT alone is read in the
// code page its CF_LOCALE names, else the system's (936, or 1252 in the English prefix). A restore puts
// back both forms of the text, with the rich text or HTML, in one session.
TEST_F(CaptureTest, TextIsTakenAsUnicodeWhateverFormsCarryItAndRestoredInBothForms) {
    const std::string mixed = "mix: 中文 😀 한국어 Ελληνικά café ẞ";
    auto locale = [](LCID id) { return testing_support::Format{CF_LOCALE, testing_support::Block(&id, sizeof(id))}; };
    const struct {
        std::vector<testing_support::Format> formats;
        std::string text;
    } changes[] = {
        {{testing_support::UnicodeText(mixed)}, mixed},
        {{Text(CF_TEXT, "mix: ?? ?"), testing_support::UnicodeText(mixed + " 2")}, mixed + " 2"},
        {{Text(CF_TEXT, "\xD6\xD0\xCE\xC4 ansi")}, GetACP() == 936 ? "中文 ansi" : "ÖÐÎÄ ansi"},
        {{Text(CF_TEXT, "caf\xE9 \xC4\xE3"), locale(0x0409)}, "café Äã"},  // English: code page 1252
        {{Text(CF_TEXT, "\xC4\xE3 \xE9"), locale(0x0419)}, "Дг й"},        // Russian: code page 1251
    };
    for (const auto& change : changes) {
        Copy(change.formats);
        ASSERT_NE(NewestAs(), nullptr) << change.text;
        EXPECT_EQ(NewestAs()->Text, change.text);
    }
    Copy({Text(CF_TEXT, "rich"), testing_support::UnicodeText(mixed + " rich"), Text(RichTextFormat, "{\\rtf1 x}")});
    for (clips::TClip* clip : {ClipboardClips()[0], Newest()}) {
        CopyText("other");
        Pick(clip);
        const std::string text = static_cast<TClipText*>(clip)->Text;
        EXPECT_EQ(ReadUnicodeText(), text);
        EXPECT_EQ(ReadText(CF_TEXT), common::Utf8ToCodePage(text, CP_ACP));  // "?" for what 936 lacks
    }
    EXPECT_EQ(ReadText(RichTextFormat), "{\\rtf1 x}");
}

TEST_F(CaptureTest, BlankTextIsDroppedButRichTextIsKeptWithoutName) {
    CopyText(" \t\r\n  ");
    EXPECT_EQ(Clips(), 0);
    EXPECT_TRUE(history->Menu().mniClipboardHistoryEmpty->Visible());

    Copy({Text(CF_TEXT, "   "), Text(RichTextFormat, "{\\rtf1 \\pict picture}")});
    ASSERT_EQ(Clips(), 1);
    ASSERT_NE(NewestAs<TClipRichText>(), nullptr);
    EXPECT_EQ(NewestAs<TClipRichText>()->RichText, "{\\rtf1 \\pict picture}");
    EXPECT_EQ(Newest()->Kind(), kRichText);
    EXPECT_EQ(Newest()->Caption(), "无名称");
}

TEST_F(CaptureTest, ADuplicateMarksTheOlderEntryWhichStaysInPlaceUnlessDuplicatesAreAllowed) {
    CopyText("alpha");
    clips::TClip* alpha = Newest();
    CopyText("beta");
    CopyText("alpha");
    EXPECT_EQ(Clips(), 2);
    EXPECT_EQ(MarkedItems(), 1);
    EXPECT_EQ(ClipboardClips().front(), alpha);
    EXPECT_EQ(PlatformDefault(), alpha);

    TClipText* personal = AddPersonal("keep me");  // personal clips count too
    CopyText("keep me");
    EXPECT_EQ(Clips(), 2);
    EXPECT_EQ(PlatformDefault(), personal);

    // Different bytes that the locale compares equal: the unified and the
    // compatibility form of one ideograph.
    CopyText("name: \u90CE and more text");
    CopyText("name: \uF92C and more text");
    EXPECT_EQ(Clips(), 3);

    settings.NoDuplicatedEntries = false;  // equal texts are appended
    CopyText("alpha");
    EXPECT_EQ(Clips(), 4);
    EXPECT_EQ(PlatformDefault(), Newest());
    EXPECT_EQ(MarkedItems(), 1);
}

TEST_F(CaptureTest, PlainTextMatchesLinksButNotThePlainTextOfRichClips) {
    CopyText("http://example.com");
    EXPECT_EQ(Newest()->Kind(), kLinkText);
    Copy({Text(CF_TEXT, "shared words"), Text(RichTextFormat, "{\\rtf1 shared words}")});
    CopyText("http://example.com");
    EXPECT_EQ(Clips(), 2);
    CopyText("shared words");
    EXPECT_EQ(Clips(), 3);
    EXPECT_EQ(Newest()->Kind(), kPlainText);
}

TEST_F(CaptureTest, TheHistoryKeepsItsLimitOldestFirst) {
    for (int i = 0; i <= 20; ++i) CopyText("clip " + std::to_string(i));
    EXPECT_EQ(Clips(), 20);
    EXPECT_EQ(ClipboardClips().front()->Caption(), "clip 1");
    EXPECT_TRUE(Marked(Newest()));
    settings.MaxHistorySize = 5;  // a lowered limit cuts at once
    CopyText("clip 21");
    EXPECT_EQ(Clips(), 5);
    EXPECT_EQ(ClipboardClips().front()->Caption(), "clip 17");
    settings.MaxHistorySize = 0;  // below one, the newest clip stays
    CopyText("clip 22");
    EXPECT_EQ(Clips(), 1);
}

TEST_F(CaptureTest, ChoosingAClipRestoresItUnlessMarkedAndOurWritesAreNeverCaptured) {
    Copy({Text(CF_TEXT, "rich plain"), Text(RichTextFormat, "{\\rtf1 rich}")});
    clips::TClip* rich = Newest();
    DWORD captured = GetClipboardSequenceNumber();
    Pick(rich);  // the marked clip, which the clipboard still holds: nothing is written
    EXPECT_EQ(GetClipboardSequenceNumber(), captured);
    Put({Text(CF_TEXT, "unseen")});  // another program's copy we did not see (watching was off)
    Pick(rich);                      // the mark is stale now: the clip is written again
    EXPECT_EQ(ReadText(CF_TEXT), "rich plain");
    CopyText("newer");
    Pick(rich);
    EXPECT_TRUE(Marked(rich));
    EXPECT_EQ(MarkedItems(), 1);
    EXPECT_EQ(GetClipboardOwner(), ours.Handle());
    EXPECT_EQ(ReadText(RichTextFormat), "{\\rtf1 rich}");
    EXPECT_EQ(ReadText(CF_TEXT), "rich plain");
    history->ClipboardChanged();  // the notice of our own write
    ClipboardWrite write;
    write.AddText(CF_TEXT, "written by us");
    write.Commit();
    history->ClipboardChanged();
    EXPECT_EQ(Clips(), 2);
    EXPECT_TRUE(Marked(rich));
}

TEST_F(CaptureTest, AnEmptiedClipboardClearsTheMarkAndTakesANewestFileListAlong) {
    CopyText("text");
    clips::TClip* text = Newest();
    auto files = std::make_unique<TClipFiles>();
    files->FileList = "C:\\file.txt\r\n";
    history->Append(std::move(files));
    ASSERT_EQ(Clips(), 2);
    Put({});
    history->ClipboardChanged();
    EXPECT_EQ(ClipboardClips(), std::vector{text});
    EXPECT_EQ(GetMenuDefaultItem(mniHistory->Handle(), TRUE, 0), static_cast<UINT>(-1));
    history->ClipboardChanged();  // only the newest item is looked at
    EXPECT_EQ(Clips(), 1);

    // The mark on a personal clip goes too, also when nobody owns the empty clipboard.
    AddPersonal("mine");
    CopyText("mine");
    ASSERT_EQ(MarkedItems(), 1);
    {
        toolkit::ClipboardSession session(nullptr);
        EmptyClipboard();
    }
    history->ClipboardChanged();
    EXPECT_EQ(MarkedItems(), 0);
}

TEST_F(CaptureTest, SourceAndTimeOfCapture) {
    CopyText("from a program");
    EXPECT_EQ(NewestAs<TClip>()->Source, "windows_tests.exe");
    const std::string& at = NewestAs<TClip>()->CapturedAt;
    ASSERT_GT(at.size(), 20u);
    EXPECT_FALSE(at[0] >= 'a' && at[0] <= 'z') << at;
    {
        toolkit::ClipboardSession session(nullptr);
        EmptyClipboard();
        SetClipboardData(CF_TEXT, testing_support::Text(CF_TEXT, "from nobody").data);
    }
    ASSERT_EQ(GetClipboardOwner(), nullptr);
    history->ClipboardChanged();
    EXPECT_EQ(Newest()->Caption(), "from nobody");
    EXPECT_EQ(NewestAs<TClip>()->Source, "不可用");
}

TEST_F(CaptureTest, AWrittenBlockIsFreedOnlyWhenTheClipboardRefusesIt) {
    toolkit::UniqueGlobal refused = MakeTextBlock("refused");
    toolkit::UniqueGlobal taken = MakeTextBlock("taken");
    HGLOBAL refusedHandle = refused.get(), takenHandle = taken.get();
    ClipboardWrite write;
    write.Add(0, std::move(refused));  // no format 0
    write.Add(CF_TEXT, std::move(taken));
    EXPECT_THROW(write.Commit(), common::Win32Error);
    EXPECT_EQ(GlobalFlags(refusedHandle), static_cast<UINT>(GMEM_INVALID_HANDLE));
    EXPECT_EQ(GlobalSize(takenHandle), 6u);  // still alive: the clipboard owns it
    EXPECT_EQ(ReadText(CF_TEXT), "taken");
}

TEST_F(CaptureTest, DataWithoutATerminatingZeroIsReadUpToItsSize) {
    // Shrunk in place from a larger block: the bytes beyond GlobalSize are not zero.
    HGLOBAL block = testing_support::Block(std::string(64, 'y'));
    block = GlobalReAlloc(block, 6, GMEM_MOVEABLE);
    std::memcpy(GlobalLock(block), "{\\rtf}", 6);
    GlobalUnlock(block);
    Copy({{RichTextFormat, block}});
    ASSERT_EQ(Clips(), 1);
    EXPECT_EQ(NewestAs<TClipRichText>()->RichText, "{\\rtf}");
}

TEST_F(CaptureTest, AClipboardHeldForAMomentIsWaitedForAndReadWithItsPrivacyMarkInOneGo) {
    {
        SlowCopy copy("written slowly", 60);
        history->ClipboardChanged();  // while the other program still holds the clipboard
        ASSERT_EQ(Clips(), 1);
        EXPECT_EQ(Newest()->Caption(), "written slowly");
    }
    {
        SlowCopy copy("written slowly", 60, true);  // the same text, now marked private last
        history->ClipboardChanged();
        EXPECT_EQ(Clips(), 1);
        EXPECT_EQ(MarkedItems(), 0);  // not even marked as its duplicate
    }
}

TEST_F(CaptureTest, AClipIsRestoredInOneSessionAndAWriteThatCannotHappenIsReportedOnce) {
    Copy({Text(CF_TEXT, "rich plain"), Text(RichTextFormat, "{\\rtf1 rich}")});
    clips::TClip* rich = Newest();
    CopyText("newer");
    clips::TClip* newer = Newest();
    {
        testing_support::TestViewer viewer;  // another program watching the clipboard
        viewer.Join();
        testing_support::PumpPending();
        viewer.draws = 0;
        Pick(rich);
        EXPECT_TRUE(testing_support::WaitedFor("the viewer told of the change", [&] { return viewer.draws > 0; }));
        testing_support::PumpPending();
        EXPECT_EQ(viewer.draws, 1);  // one change, not one per format
    }
    EXPECT_EQ(ReadText(RichTextFormat), "{\\rtf1 rich}");
    EXPECT_EQ(ReadText(CF_TEXT), "rich plain");

    SlowCopy holder("held", 10000);  // held until the end, longer than a write waits
    Pick(newer);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].text.find("占用"), std::string::npos) << boxes.boxes[0].text;
    EXPECT_TRUE(Marked(newer));  // the user chose it all the same
    boxes.boxes.clear();
}

TEST_F(CaptureTest, AFailureThatIsNotThePlatformsSaysWhatHappenedNotTheLastPlatformError) {
    SetLastError(ERROR_SUCCESS);  // "the operation completed" must never be the message
    history::History::RunAndReport([] { throw std::bad_alloc(); });
    history::History::RunAndReport([] { throw common::Failure("图像的尺寸不合理"); });
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_NE(boxes.boxes[0].text.find(common::SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)), std::string::npos)
        << boxes.boxes[0].text;
    EXPECT_EQ(boxes.boxes[1].text, "图像的尺寸不合理");
    for (const testing_support::RecordedBox& box : boxes.boxes)
        EXPECT_EQ(box.title, common::TitleText(common::BoxTitle::Error));
    boxes.boxes.clear();
}
