// The capture-time text and the platform-position rule of the history menu.
#include <gtest/gtest.h>

#include "clips/CapturedAt.h"
#include "common/Text.h"
#include "history/MenuPositions.h"

using clips::ComposeCapturedAt;

TEST(CapturedAt, LayoutWithTwoDigitFields) {
    EXPECT_EQ(ComposeCapturedAt("星期日", 6, "十二月", 2026, 23, 3, 53), "星期日 06 十二月 2026, 23:03:53");
    EXPECT_EQ(ComposeCapturedAt("Monday", 1, "March", 987, 0, 0, 0), "Monday 01 March 0987, 00:00:00");
}

TEST(CapturedAt, NeverStartsWithALowerCaseLetter) {
    EXPECT_EQ(ComposeCapturedAt("dimanche", 6, "décembre", 2026, 23, 3, 53).substr(0, 9), "Dimanche ");
    EXPECT_EQ(ComposeCapturedAt("zondag", 6, "december", 2026, 1, 2, 3)[0], 'Z');
    // Only the first byte; a non-ASCII first byte is left alone.
    EXPECT_EQ(ComposeCapturedAt("\xe9t\xe9", 6, "x", 2026, 1, 2, 3).substr(0, 3), "\xe9t\xe9");
    EXPECT_EQ(ComposeCapturedAt("", 6, "x", 2026, 1, 2, 3)[0], ' ');
}

TEST(MenuPositions, HiddenMarkersShiftPlatformPositions) {
    using history::ItemPositionFromPlatform;
    // Both lists empty, both markers shown: the positions agree.
    EXPECT_EQ(ItemPositionFromPlatform(3, false, 2, false), 3);
    // Personal clips (marker hidden), separator at 4, clipboard marker hidden.
    EXPECT_EQ(ItemPositionFromPlatform(1, true, 4, true), 2);  // first personal clip
    EXPECT_EQ(ItemPositionFromPlatform(3, true, 4, true), 4);  // the clipboard header itself
    EXPECT_EQ(ItemPositionFromPlatform(4, true, 4, true), 6);  // first clipboard clip
    // No personal clips, clipboard clips: only the second marker is hidden.
    EXPECT_EQ(ItemPositionFromPlatform(2, false, 2, true), 2);
    EXPECT_EQ(ItemPositionFromPlatform(3, false, 2, true), 4);
}

TEST(FileNamePart, TakesWhatFollowsTheLastBackslash) {
    EXPECT_EQ(common::FileNamePart("C:\\Program Files\\app.exe"), "app.exe");
    EXPECT_EQ(common::FileNamePart("app.exe"), "app.exe");
    EXPECT_EQ(common::FileNamePart("C:\\dir\\"), "");
    // "\x95\x5c" is one character whose trail byte is a backslash.
    EXPECT_EQ(common::FileNamePart("C:\\a\\\x95\x5c.exe"), "\x95\x5c.exe");
}
