// The text transformations on real clips: backup, undo mark, and the clip that
// is on the clipboard written there again without being captured anew.
#include <gtest/gtest.h>

#include "HistoryFixture.h"
#include "common/CodePage.h"

using clips::TClipText;
using history::Transformation;

struct TransformTest : HistoryFixture {
    void SetUp() override {
        HistoryFixture::SetUp();
        settings.NoDuplicatedEntries = false;  // a capture of our own write would show as a new clip
    }
    // The notice of a write, as the watcher would deliver it; our own adds nothing.
    void ExpectNoNewClipAfterTheNotice() {
        int before = Clips();
        history->ClipboardChanged();
        EXPECT_EQ(Clips(), before);
    }
};

TEST_F(TransformTest, TheBackupIsTakenOnceAndUndoRestoresTheTextOnTheClipboardToo) {
    CopyText("ａbc  de 誥");
    TClipText& clip = *NewestAs();
    history->TransformClip(clip, Transformation::UpperCase);
    EXPECT_EQ(clip.Text, "ＡBC  DE 誥");     // the locale's case for the text
    EXPECT_EQ(clip.Caption(), "ａBC DE 誥");  // ASCII case for the caption (made with one blank)
    EXPECT_EQ(clip.Backup, "ａbc  de 誥");
    EXPECT_TRUE(clip.UndoAvailable);
    EXPECT_EQ(GetClipboardOwner(), ours.Handle());
    EXPECT_EQ(ReadUnicodeText(), "ＡBC  DE 誥");
    ExpectNoNewClipAfterTheNotice();

    history->TransformClip(clip, Transformation::RemoveDuplicatedSpaces);
    history->TransformClip(clip, Transformation::MixedCase);
    EXPECT_EQ(clip.Text, "ａbc De 誥");
    EXPECT_EQ(clip.Caption(), "ａbc De 誥");
    EXPECT_EQ(clip.Backup, "ａbc  de 誥");  // still the text from before the first
    EXPECT_EQ(ReadUnicodeText(), "ａbc De 誥");

    history->UndoTransformation(clip);
    EXPECT_EQ(clip.Text, "ａbc  de 誥");
    EXPECT_EQ(clip.Backup, "");
    EXPECT_FALSE(clip.UndoAvailable);
    EXPECT_EQ(clip.Caption(), "ａbc De 誥");  // the caption keeps its last form
    EXPECT_EQ(ReadUnicodeText(), "ａbc  de 誥");
    ExpectNoNewClipAfterTheNotice();
    EXPECT_EQ(MarkedItems(), 1);

    history->TransformClip(clip, Transformation::RemoveTrailingSpaces);  // no change, still a backup and a mark
    EXPECT_EQ(clip.Backup, "ａbc  de 誥");
    EXPECT_TRUE(clip.UndoAvailable);
}

TEST_F(TransformTest, AClipThatIsNotOnTheClipboardLeavesTheClipboardAlone) {
    CopyText("first\r\nline");
    TClipText& first = *NewestAs();
    CopyText("second");
    history->TransformClip(first, Transformation::RemoveLineBreaks);
    EXPECT_EQ(first.Text, "first line");
    history->UndoTransformation(first);
    EXPECT_EQ(first.Text, "first\r\nline");
    EXPECT_EQ(ReadText(CF_TEXT), "second");
    EXPECT_EQ(GetClipboardOwner(), other.Handle());

    history->UndoTransformation(first);  // nothing left to undo: the text stays
    EXPECT_EQ(first.Text, "first\r\nline");
    EXPECT_FALSE(first.UndoAvailable);
}

TEST(LocaleCase, TheSystemChangesLettersOfEveryScriptAndLeavesChineseAndPairsAlone) {
    EXPECT_EQ(common::LocaleUpperCase("abc ａｂ αβ я 中文誥"), "ABC ＡＢ ΑΒ Я 中文誥");
    EXPECT_EQ(common::LocaleLowerCase("ABC ＡＢ ΑΒ Я 中文"), "abc ａｂ αβ я 中文");
    // Letters that code page 936 lacks change too; a surrogate pair stays whole.
    EXPECT_EQ(common::LocaleLowerCase("ⅪZ É Ǐ"), "ⅺz é ǐ");
    EXPECT_EQ(common::LocaleUpperCase("café e\u0301 😀 한국어 ß"), "CAFÉ E\u0301 😀 한국어 ß");
    EXPECT_EQ(common::LocaleUpperCase("𐐨 𞤢"), "𐐨 𞤢");  // beyond the basic plane, as in the native build
}
