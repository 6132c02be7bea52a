// Reading and writing clipboard text formats, and the text clips, on the real clipboard.
#include <gtest/gtest.h>

#include <cstring>

#include "ClipboardSupport.h"
#include "clips/ClipText_win.h"
#include "clips/ClipboardText_win.h"

using namespace clips;
using testing_support::ClipboardText;
using testing_support::HiddenWindow;
using testing_support::PutOnClipboard;
using testing_support::Text;

namespace {

// A block of `size` bytes of 'x' followed, beyond GlobalSize, by bytes that
// are not zero: shrunk in place from a larger block filled with 'y'.
HGLOBAL BlockWithoutZero(size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64);
    std::memset(GlobalLock(block), 'y', 64);
    GlobalUnlock(block);
    block = GlobalReAlloc(block, size, GMEM_MOVEABLE);
    std::memset(GlobalLock(block), 'x', size);
    GlobalUnlock(block);
    return block;
}

struct ClipTextTest : ::testing::Test {
    HiddenWindow other{"AnotherProgram"}, ours{"Pellacor"};
    void SetUp() override { ClipboardOwnerWindow = ours.Handle(); }
    void TearDown() override { ClipboardOwnerWindow = nullptr; }
};

}  // namespace

TEST_F(ClipTextTest, ABlockIsReadUpToItsZeroOrItsSize) {
    toolkit::UniqueGlobal block(BlockWithoutZero(5));
    ASSERT_EQ(GlobalSize(block.get()), 5u);
    EXPECT_EQ(TextOfBlock(block.get()), "xxxxx");
    toolkit::UniqueGlobal terminated = MakeTextBlock("ab");
    EXPECT_EQ(GlobalSize(terminated.get()), 3u);
    EXPECT_EQ(TextOfBlock(terminated.get()), "ab");
    EXPECT_EQ(TextOfBlock(nullptr), "");
}

TEST_F(ClipTextTest, NothingIsReadOrWrittenWhenAbsentOrBusy) {
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, "words")}));
    EXPECT_EQ(ReadClipboardText(CF_TEXT), "words");
    EXPECT_EQ(ReadClipboardText(HTMLFormat), "");
    {
        toolkit::ClipboardSession busy(other.Handle());
        EXPECT_EQ(ReadClipboardText(CF_TEXT), "");
        WriteClipboardText("lost", CF_TEXT, true);
    }
    EXPECT_EQ(ClipboardText(other.Handle(), CF_TEXT), "words");  // nothing written while busy
}

TEST_F(ClipTextTest, WritingLeavesOurWindowTheOwner) {
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, "old"), Text(RichTextFormat, "{\\rtf old}")}));
    WriteClipboardText("new", CF_TEXT, false);
    EXPECT_EQ(ClipboardText(other.Handle(), CF_TEXT), "new");
    EXPECT_EQ(ClipboardText(other.Handle(), RichTextFormat), "{\\rtf old}");  // not emptied first
    WriteClipboardText("newer", CF_TEXT, true);
    EXPECT_EQ(GetClipboardOwner(), ours.Handle());
    EXPECT_FALSE(IsClipboardFormatAvailable(RichTextFormat));
    EXPECT_EQ(ClipboardText(other.Handle(), CF_TEXT), "newer");
}

TEST_F(ClipTextTest, AFailedAllocationLeavesTheClipboardAsItWas) {
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, "kept")}));
    {
        toolkit::ClipboardSession session(ours.Handle());
        EXPECT_FALSE(HandToClipboard(toolkit::UniqueGlobal(), CF_TEXT, true));
    }
    EXPECT_EQ(ClipboardText(other.Handle(), CF_TEXT), "kept");
}

TEST_F(ClipTextTest, TheBlockIsFreedOnlyWhenTheClipboardRefusesIt) {
    toolkit::ClipboardSession session(ours.Handle());
    toolkit::UniqueGlobal refused = MakeTextBlock("refused");
    HGLOBAL refusedHandle = refused.get();
    EXPECT_FALSE(HandToClipboard(std::move(refused), 0, true));  // no format 0
    EXPECT_EQ(GlobalFlags(refusedHandle), static_cast<UINT>(GMEM_INVALID_HANDLE));

    toolkit::UniqueGlobal taken = MakeTextBlock("taken");
    HGLOBAL takenHandle = taken.get();
    EXPECT_TRUE(HandToClipboard(std::move(taken), CF_TEXT, false));
    EXPECT_EQ(GlobalSize(takenHandle), 6u);  // still alive: the clipboard owns it
    EXPECT_EQ(GetClipboardData(CF_TEXT), takenHandle);
}

TEST_F(ClipTextTest, CaptureReportsBlankTexts) {
    TClipText text;
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, " \t\r\n ")}));
    EXPECT_FALSE(text.CaptureFromClipboard());
    EXPECT_EQ(text.Text, " \t\r\n ");  // kept untrimmed
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, "  x ")}));
    EXPECT_TRUE(text.CaptureFromClipboard());
    EXPECT_EQ(text.Text, "  x ");

    TClipRichText rich;
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, "  "), Text(RichTextFormat, "{\\rtf1 x}")}));
    EXPECT_TRUE(rich.CaptureFromClipboard());
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(CF_TEXT, "  "), Text(RichTextFormat, "\r\n")}));
    EXPECT_FALSE(rich.CaptureFromClipboard());

    TClipHTMLText html;
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(HTMLFormat, "Version:0.9\r\n<b>x</b>")}));
    EXPECT_TRUE(html.CaptureFromClipboard());
    EXPECT_EQ(html.Text, "");
    EXPECT_EQ(html.LiteHTMLText(), "<b>x</b>");
}

TEST_F(ClipTextTest, RestoreWritesEveryFormatOfTheClip) {
    TClipRichText rich;
    rich.Text = "plain";
    rich.RichText = "{\\rtf1 plain}";
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {Text(HTMLFormat, "stale")}));
    rich.RestoreToClipboard();
    EXPECT_EQ(GetClipboardOwner(), ours.Handle());
    EXPECT_EQ(ClipboardText(other.Handle(), RichTextFormat), "{\\rtf1 plain}");
    EXPECT_EQ(ClipboardText(other.Handle(), CF_TEXT), "plain");
    EXPECT_FALSE(IsClipboardFormatAvailable(HTMLFormat));

    TClipHTMLText html;
    html.Text = "page";
    html.HTMLText = "Version:0.9\r\n<p>page</p>";
    html.RestoreToClipboard();
    EXPECT_EQ(ClipboardText(other.Handle(), HTMLFormat), html.HTMLText);
    EXPECT_EQ(ClipboardText(other.Handle(), CF_TEXT), "page");
    EXPECT_FALSE(IsClipboardFormatAvailable(RichTextFormat));

    TClipText plain;
    plain.Text = "only text";
    plain.RestoreToClipboard();
    EXPECT_EQ(ClipboardText(other.Handle(), CF_TEXT), "only text");
    EXPECT_FALSE(IsClipboardFormatAvailable(HTMLFormat));
}

TEST(ClipClasses, NamesAndComparedData) {
    TClipText text;
    TClipRichText rich;
    TClipHTMLText html;
    EXPECT_STREQ(text.ClassName(), "TClipText");
    EXPECT_STREQ(rich.ClassName(), "TClipRichText");
    EXPECT_STREQ(html.ClassName(), "TClipHTMLText");
    EXPECT_EQ(text.DuplicateData(), &text.Text);
    EXPECT_EQ(rich.DuplicateData(), &rich.RichText);
    EXPECT_EQ(html.DuplicateData(), &html.HTMLText);
    EXPECT_EQ(text.ImageIndex(), -1);  // no kind before it enters the history
    EXPECT_EQ(text.Caption(), "");
}
