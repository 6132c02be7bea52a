// Setting conversions, path completion and the shortcut code.
#include <gtest/gtest.h>

#include "common/Settings.h"
#include "common/Text.h"

using namespace common;

TEST(SettingConversions, FlagsAcceptNumbersAndWordsInAnyCase) {
    EXPECT_EQ(StrToBoolStrict("-1"), true);
    EXPECT_EQ(StrToBoolStrict("1"), true);
    EXPECT_EQ(StrToBoolStrict("TRUE"), true);
    EXPECT_EQ(StrToBoolStrict("true"), true);
    EXPECT_EQ(StrToBoolStrict("0"), false);
    EXPECT_EQ(StrToBoolStrict("False"), false);
    EXPECT_EQ(StrToBoolStrict("0.5"), true);
    EXPECT_EQ(StrToBoolStrict("yes"), std::nullopt);
    EXPECT_EQ(StrToBoolStrict(""), std::nullopt);
    EXPECT_EQ(StrToBoolStrict("1x"), std::nullopt);
}

TEST(SettingConversions, IntegersAreStrict) {
    EXPECT_EQ(StrToIntStrict("20"), 20);
    EXPECT_EQ(StrToIntStrict("-5"), -5);
    EXPECT_EQ(StrToIntStrict("$8056"), 0x8056);
    EXPECT_EQ(StrToIntStrict("0x10"), 16);
    EXPECT_EQ(StrToIntStrict("2147483647"), 2147483647);
    EXPECT_EQ(StrToIntStrict("2147483648"), std::nullopt);
    EXPECT_EQ(StrToIntStrict("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToIntStrict("12a"), std::nullopt);
    EXPECT_EQ(StrToIntStrict("abc"), std::nullopt);
    EXPECT_EQ(StrToIntStrict(""), std::nullopt);
    EXPECT_EQ(StrToIntStrict("-"), std::nullopt);
    EXPECT_EQ(StrToIntStrict("99999999999999999999"), std::nullopt);
}

TEST(PathCompletion, AddsOneBackslashOnlyWhenMissing) {
    EXPECT_EQ(CompletePath("D:\\Clips"), "D:\\Clips\\");
    EXPECT_EQ(CompletePath("D:\\Clips\\"), "D:\\Clips\\");
    EXPECT_EQ(CompletePath("C:\\"), "C:\\");
    // "稞" is 0xF0 0x5C in code page 936: its trail byte is not a backslash.
    EXPECT_EQ(CompletePath("D:\\稞"), "D:\\稞\\");
    EXPECT_EQ(CompletePath("D:\\稞\\"), "D:\\稞\\");
}

TEST(ShortcutCode, SplitsKeyAndModifiers) {
    Shortcut altV = SplitShortcut(32854);
    EXPECT_EQ(altV.virtualKey, 0x56);
    EXPECT_TRUE(altV.alt);
    EXPECT_FALSE(altV.ctrl || altV.shift);
    Shortcut ctrlAltA = SplitShortcut(49217);
    EXPECT_EQ(ctrlAltA.virtualKey, 'A');
    EXPECT_TRUE(ctrlAltA.alt && ctrlAltA.ctrl);
    EXPECT_FALSE(ctrlAltA.shift);
    // Only the low 16 bits count.
    Shortcut high = SplitShortcut(0x10000 | 0x6070);
    EXPECT_EQ(high.virtualKey, 0x70);
    EXPECT_TRUE(high.ctrl && high.shift);
    EXPECT_FALSE(high.alt);
}
