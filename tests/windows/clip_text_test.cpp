// Reading and writing clipboard text formats, and the text clips, on the real clipboard.
#include <gtest/gtest.h>

#include "HistoryFixture.h"
#include "clips/ClipboardText_win.h"

using namespace clips;
using testing_support::Text;

using ClipTextTest = HistoryFixture;

TEST_F(ClipTextTest, NothingIsReadOrWrittenWhenAbsentOrBusy) {
    Put({Text(CF_TEXT, "words")});
    EXPECT_EQ(ReadClipboardText(CF_TEXT), "words");
    EXPECT_EQ(ReadClipboardText(HTMLFormat), "");
    {
        toolkit::ClipboardSession busy(other.Handle());
        EXPECT_EQ(ReadClipboardText(CF_TEXT), "");
        WriteClipboardText("lost", CF_TEXT, true);
    }
    EXPECT_EQ(ReadText(CF_TEXT), "words");
}

TEST_F(ClipTextTest, WritingLeavesOurWindowTheOwner) {
    Put({Text(CF_TEXT, "old"), Text(RichTextFormat, "{\\rtf old}")});
    WriteClipboardText("new", CF_TEXT, false);
    EXPECT_EQ(ReadText(CF_TEXT), "new");
    EXPECT_EQ(ReadText(RichTextFormat), "{\\rtf old}");  // not emptied first
    WriteClipboardText("newer", CF_TEXT, true);
    EXPECT_EQ(GetClipboardOwner(), ours.Handle());
    EXPECT_FALSE(IsClipboardFormatAvailable(RichTextFormat));
    EXPECT_EQ(ReadText(CF_TEXT), "newer");
}

TEST_F(ClipTextTest, TheBlockIsFreedOnlyWhenTheClipboardRefusesIt) {
    Put({Text(CF_TEXT, "kept")});
    toolkit::ClipboardSession session(ours.Handle());
    EXPECT_FALSE(HandToClipboard(toolkit::UniqueGlobal(), CF_TEXT, true));  // a failed allocation
    EXPECT_EQ(GetClipboardOwner(), other.Handle());                        // not emptied

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

TEST_F(ClipTextTest, CaptureReportsBlankTextsAndKeepsThemUntrimmed) {
    TClipText text;
    Put({Text(CF_TEXT, " \t\r\n ")});
    EXPECT_FALSE(text.CaptureFromClipboard());
    Put({Text(CF_TEXT, "  x ")});
    EXPECT_TRUE(text.CaptureFromClipboard());
    EXPECT_EQ(text.Text, "  x ");

    TClipRichText rich;
    Put({Text(CF_TEXT, "  "), Text(RichTextFormat, "\r\n")});
    EXPECT_FALSE(rich.CaptureFromClipboard());

    TClipHTMLText html;
    Put({Text(HTMLFormat, "Version:0.9\r\n<b>x</b>")});
    EXPECT_TRUE(html.CaptureFromClipboard());
    EXPECT_EQ(html.Text, "");
    EXPECT_EQ(html.LiteHTMLText(), "<b>x</b>");
}

TEST_F(ClipTextTest, RestoreWritesEveryFormatOfTheClipAndNoOther) {
    Put({Text(RichTextFormat, "stale")});
    TClipHTMLText html;
    html.Text = "page";
    html.HTMLText = "Version:0.9\r\n<p>page</p>";
    html.RestoreToClipboard();
    EXPECT_EQ(GetClipboardOwner(), ours.Handle());
    EXPECT_EQ(ReadText(HTMLFormat), html.HTMLText);
    EXPECT_EQ(ReadText(CF_TEXT), "page");
    EXPECT_FALSE(IsClipboardFormatAvailable(RichTextFormat));

    TClipText plain;
    plain.Text = "only text";
    plain.RestoreToClipboard();
    EXPECT_EQ(ReadText(CF_TEXT), "only text");
    EXPECT_FALSE(IsClipboardFormatAvailable(HTMLFormat));
}
