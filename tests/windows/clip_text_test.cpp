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
