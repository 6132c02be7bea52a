// The capture-time text and the file-name part of a source path.
#include <gtest/gtest.h>

#include "clips/CapturedAt.h"
#include "common/Text.h"

using clips::ComposeCapturedAt;

TEST(CapturedAt, LayoutWithTwoDigitFields) {
    EXPECT_EQ(ComposeCapturedAt("星期日", 6, "十二月", 2026, 23, 3, 53), "星期日 06 十二月 2026, 23:03:53");
    EXPECT_EQ(ComposeCapturedAt("Monday", 1, "March", 987, 0, 0, 0), "Monday 01 March 0987, 00:00:00");
}

TEST(CapturedAt, NeverStartsWithALowerCaseLetter) {
    EXPECT_EQ(ComposeCapturedAt("dimanche", 6, "décembre", 2026, 23, 3, 53).substr(0, 9), "Dimanche ");
    EXPECT_EQ(ComposeCapturedAt("zondag", 6, "december", 2026, 1, 2, 3)[0], 'Z');
    // Only a first letter a to z; a first character beyond ASCII is left alone.
    EXPECT_EQ(ComposeCapturedAt("été", 6, "x", 2026, 1, 2, 3).substr(0, 5), "été");
    EXPECT_EQ(ComposeCapturedAt("", 6, "x", 2026, 1, 2, 3)[0], ' ');
}

TEST(FileNamePart, TakesWhatFollowsTheLastBackslash) {
    EXPECT_EQ(common::FileNamePart("C:\\Program Files\\app.exe"), "app.exe");
    EXPECT_EQ(common::FileNamePart("app.exe"), "app.exe");
    EXPECT_EQ(common::FileNamePart("C:\\dir\\"), "");
    EXPECT_EQ(common::FileNamePart("C:\\目录\\表 😀.exe"), "表 😀.exe");
}
