// The capture routine on the real clipboard: which clips a change adds.
#include <gtest/gtest.h>

#include <string>

#include "HistoryFixture.h"
#include "clips/ClipboardText_win.h"

using namespace clips;
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
    EXPECT_EQ(clip->ImageIndex(), kHtml);
    EXPECT_EQ(clip->HTMLText, kPage);
    EXPECT_EQ(clip->Text, "bold words");
    EXPECT_EQ(clip->Caption(), "bold words");
    EXPECT_EQ(clip->LiteHTMLText(), "<b>bold</b>");
    EXPECT_TRUE(clip->Default());
    EXPECT_EQ(PlatformDefault(), clip);
}

TEST_F(CaptureTest, RichTextBeforePlainText) {
    Copy({Text(CF_TEXT, "styled"), Text(RichTextFormat, "{\\rtf1 styled}")});
    auto* clip = NewestAs<TClipRichText>();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->ImageIndex(), kRichText);
    EXPECT_EQ(clip->RichText, "{\\rtf1 styled}");
    EXPECT_EQ(clip->Caption(), "styled");
}

TEST_F(CaptureTest, BlankTextIsDropped) {
    CopyText(" \t\r\n  ");
    EXPECT_EQ(Clips(), 0);
    EXPECT_TRUE(history->mniClipboardHistoryEmpty->Visible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(CaptureTest, RichTextWithBlankPlainTextIsKeptWithoutName) {
    Copy({Text(CF_TEXT, "   "), Text(RichTextFormat, "{\\rtf1 \\pict picture}")});
    ASSERT_EQ(Clips(), 1);
    EXPECT_EQ(Newest()->ImageIndex(), kRichText);
    EXPECT_EQ(Newest()->Caption(), "无名称");
}

TEST_F(CaptureTest, ADroppedRichKindIsNotReplacedByAPoorerOne) {
    Copy({Text(CF_TEXT, "first"), Text(HTMLFormat, kPage)});
    // The same HTML with another plain text: a duplicate HTML clip, and no
    // plain-text clip in its place.
    Copy({Text(CF_TEXT, "other plain text"), Text(HTMLFormat, kPage)});
    EXPECT_EQ(Clips(), 1);
    EXPECT_EQ(Newest()->Caption(), "first");
}

TEST_F(CaptureTest, CaptionsFollowTheLimitAtTheMomentOfCapture) {
    struct {
        std::string text, caption;
    } cases[] = {
        {std::string(30, 'a'), std::string(15, 'a') + " [..]"},
        {std::string(20, 'b'), std::string(20, 'b')},
        {"line one\r\nline two", "line one line two"},
        {"four    spaces", "four  spaces"},
        {"abcdefghijklmn中文字符串", "abcdefghijklmn [..]"},
    };
    for (const auto& c : cases) {
        CopyText(c.text);
        EXPECT_EQ(Newest()->Caption(), c.caption) << c.text;
        char platform[64] = {};
        GetMenuStringA(mniHistory->Handle(), static_cast<UINT>(Newest()->PlatformIndex()), platform, sizeof(platform),
                       MF_BYPOSITION);
        EXPECT_EQ(platform, c.caption);
    }
    common::settings().MaxCaptionLength = 10;
    CopyText("0123456789abc");
    EXPECT_EQ(Newest()->Caption(), "01234 [..]");
}

TEST_F(CaptureTest, LinkTextGetsItsOwnKind) {
    struct {
        const char* text;
        int kind;
    } cases[] = {
        {"http://example.com/page", kLinkText},     {"https://example.com", kLinkText},
        {"HTTP://EXAMPLE.COM", kPlainText},         {"http://example .com", kPlainText},
        {"mailto:someone@example.com", kLinkText},  {"mailto:someone.example.com", kPlainText},
        {"mailto:x\x81\x40y.cn", kPlainText},
    };
    for (const auto& c : cases) {
        CopyText(c.text);
        EXPECT_EQ(Newest()->ImageIndex(), c.kind) << c.text;
    }
}

TEST_F(CaptureTest, DuplicatesMarkTheOlderEntry) {
    CopyText("alpha");
    toolkit::MenuItem* alpha = Newest();
    CopyText("beta");
    CopyText("alpha");
    EXPECT_EQ(Clips(), 2);
    EXPECT_TRUE(alpha->Default());
    EXPECT_EQ(MarkedItems(), 1);
    EXPECT_EQ(alpha->MenuIndex(), history->ClipboardSeparatorIndex() + 2);  // not moved
    EXPECT_EQ(PlatformDefault(), alpha);
}

TEST_F(CaptureTest, APersonalClipCountsAsADuplicate) {
    TClipText* personal = AddPersonal("keep me");
    CopyText("keep me");
    EXPECT_EQ(Clips(), 0);
    EXPECT_TRUE(personal->Default());
    EXPECT_EQ(PlatformDefault(), personal);
}

TEST_F(CaptureTest, PlainTextMatchesLinksButNotThePlainTextOfRichClips) {
    CopyText("http://example.com");
    ASSERT_EQ(Newest()->ImageIndex(), kLinkText);
    Copy({Text(CF_TEXT, "shared words"), Text(RichTextFormat, "{\\rtf1 shared words}")});
    CopyText("http://example.com");
    EXPECT_EQ(Clips(), 2);
    CopyText("shared words");
    EXPECT_EQ(Clips(), 3);
    EXPECT_EQ(Newest()->ImageIndex(), kPlainText);
}

TEST_F(CaptureTest, LinguisticallyEqualTextsAreDuplicates) {
    // "\xC0\xC9" and "\xFD\x9C" are the same ideograph, unified and compatibility
    // forms: different bytes that the locale compares equal.
    CopyText("name: \xC0\xC9 and more text");
    CopyText("name: \xFD\x9C and more text");
    EXPECT_EQ(Clips(), 1);
    CopyText("name: \xC0\xC9 and more text!");
    EXPECT_EQ(Clips(), 2);
}

TEST_F(CaptureTest, WithDuplicatesAllowedEqualTextsAreAppended) {
    common::settings().NoDuplicatedEntries = false;
    CopyText("again");
    CopyText("again");
    EXPECT_EQ(Clips(), 2);
    EXPECT_TRUE(Newest()->Default());
    EXPECT_EQ(MarkedItems(), 1);
}

TEST_F(CaptureTest, TheHistoryKeepsItsLimit) {
    for (int i = 0; i < 20; ++i) CopyText("clip " + std::to_string(i));
    ASSERT_EQ(Clips(), 20);
    CopyText("clip 20");
    EXPECT_EQ(Clips(), 20);
    EXPECT_EQ(Item(history->ClipboardSeparatorIndex() + 2)->Caption(), "clip 1");
    EXPECT_EQ(Newest()->Caption(), "clip 20");
    EXPECT_TRUE(Newest()->Default());

    // A lowered limit cuts at once, oldest first.
    common::settings().MaxHistorySize = 5;
    CopyText("clip 21");
    EXPECT_EQ(Clips(), 5);
    EXPECT_EQ(Item(history->ClipboardSeparatorIndex() + 2)->Caption(), "clip 17");
    // A limit below one keeps the newest clip.
    common::settings().MaxHistorySize = 0;
    CopyText("clip 22");
    EXPECT_EQ(Clips(), 1);
    EXPECT_EQ(Newest()->Caption(), "clip 22");
}

TEST_F(CaptureTest, ChoosingTheMarkedClipWritesNothing) {
    CopyText("marked");
    toolkit::MenuItem* marked = Newest();
    // Another program's copy that we did not see (watching was off).
    ASSERT_TRUE(testing_support::PutOnClipboard(other.Handle(), {Text(CF_TEXT, "unseen")}));
    marked->Click();
    EXPECT_EQ(GetClipboardOwner(), other.Handle());
    EXPECT_EQ(testing_support::ClipboardText(other.Handle(), CF_TEXT), "unseen");
}

TEST_F(CaptureTest, ChoosingAnotherClipRestoresItAndOurWriteIsIgnored) {
    Copy({Text(CF_TEXT, "rich plain"), Text(RichTextFormat, "{\\rtf1 rich}")});
    toolkit::MenuItem* rich = Newest();
    CopyText("newer");
    rich->Click();
    EXPECT_TRUE(rich->Default());
    EXPECT_EQ(MarkedItems(), 1);
    EXPECT_EQ(GetClipboardOwner(), ours.Handle());
    EXPECT_EQ(testing_support::ClipboardText(other.Handle(), RichTextFormat), "{\\rtf1 rich}");
    EXPECT_EQ(testing_support::ClipboardText(other.Handle(), CF_TEXT), "rich plain");
    history->ClipboardChanged();  // the notification of our own write
    EXPECT_EQ(Clips(), 2);
    EXPECT_TRUE(rich->Default());

    WriteClipboardText("written by us", CF_TEXT, true);
    history->ClipboardChanged();
    EXPECT_EQ(Clips(), 2);
}

TEST_F(CaptureTest, AnEmptiedClipboardClearsTheMark) {
    AddPersonal("personal");
    CopyText("one");
    CopyText("two");
    ASSERT_EQ(PlatformDefault(), Newest());
    {
        toolkit::ClipboardSession session(other.Handle());
        EmptyClipboard();
    }
    history->ClipboardChanged();
    EXPECT_EQ(MarkedItems(), 0);
    EXPECT_EQ(GetMenuDefaultItem(mniHistory->Handle(), TRUE, 0), static_cast<UINT>(-1));
    EXPECT_EQ(Clips(), 2);

    // The mark on a personal clip goes too.
    CopyText("personal");
    ASSERT_EQ(MarkedItems(), 1);
    {
        toolkit::ClipboardSession session(nullptr);  // the tools command empties it without an owner
        EmptyClipboard();
    }
    history->ClipboardChanged();
    EXPECT_EQ(MarkedItems(), 0);
}

TEST_F(CaptureTest, AnEmptiedClipboardTakesANewestFileListAlong) {
    CopyText("text");
    auto files = std::make_unique<TClip>();
    files->SetCaption("C:\\file.txt");
    TClip* raw = files.release();
    raw->StampAndAppend(*mniHistory, kFileList, history->ClickAction());
    history->UpdateHistory();
    ASSERT_EQ(Clips(), 2);
    {
        toolkit::ClipboardSession session(other.Handle());
        EmptyClipboard();
    }
    history->ClipboardChanged();
    EXPECT_EQ(Clips(), 1);
    EXPECT_EQ(Newest()->Caption(), "text");
    EXPECT_EQ(MarkedItems(), 0);
    history->ClipboardChanged();  // only the newest item is looked at
    EXPECT_EQ(Clips(), 1);
}

TEST_F(CaptureTest, SourceIsTheOwnersExecutable) {
    CopyText("from a program");
    EXPECT_EQ(NewestAs<TClip>()->Source, "windows_tests.exe");
    {
        toolkit::ClipboardSession session(nullptr);
        EmptyClipboard();
        HandToClipboard(MakeTextBlock("from nobody"), CF_TEXT, false);
    }
    ASSERT_EQ(GetClipboardOwner(), nullptr);
    history->ClipboardChanged();
    EXPECT_EQ(Newest()->Caption(), "from nobody");
    EXPECT_EQ(NewestAs<TClip>()->Source, "不可用");
}

TEST_F(CaptureTest, CapturedAtNeverStartsWithALowerCaseLetter) {
    CopyText("timed");
    const std::string& at = NewestAs<TClip>()->CapturedAt;
    ASSERT_GT(at.size(), 20u);
    EXPECT_FALSE(at[0] >= 'a' && at[0] <= 'z') << at;
    EXPECT_EQ(at[at.size() - 3], ':');
}

TEST_F(CaptureTest, DataWithoutATerminatingZeroIsReadUpToItsSize) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64);
    std::memset(GlobalLock(block), 'y', 64);
    GlobalUnlock(block);
    block = GlobalReAlloc(block, 6, GMEM_MOVEABLE);
    std::memcpy(GlobalLock(block), "{\\rtf}", 6);
    GlobalUnlock(block);
    {
        toolkit::ClipboardSession session(other.Handle());
        EmptyClipboard();
        SetClipboardData(RichTextFormat, block);
    }
    history->ClipboardChanged();
    ASSERT_EQ(Clips(), 1);
    EXPECT_EQ(NewestAs<TClipRichText>()->RichText, "{\\rtf}");
}

TEST_F(CaptureTest, AnErrorWhileMakingAClipDestroysItAndIsReported) {
    history::History::MakeOneClip([&] {
        auto clip = std::make_unique<TClipText>();
        clip->Text = "half made";
        clip->AddToHistory(*mniHistory, history->ClickAction());
        throw std::runtime_error("failed");
    });
    EXPECT_EQ(Clips(), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].substr(0, messages[0].find('|')), "PELLACOR : 错误 ");
    CopyText("the next one works");  // the capture goes on
    EXPECT_EQ(Clips(), 1);
}

TEST_F(CaptureTest, TheMenuShowsTheLayout) {
    CopyText("only clip");
    HMENU menu = mniHistory->Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 4);
    char text[64];
    GetMenuStringA(menu, 1, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "[  空  ]");
    GetMenuStringA(menu, 3, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "only clip");
    EXPECT_EQ(GetMenuItemID(menu, 0), history->sepPersonalHistory->Command());
    EXPECT_EQ(GetMenuItemID(menu, 2), history->sepClipboardHistory->Command());
}
