// Setting conversions, path completion and the shortcut code.
#include <gtest/gtest.h>

#include "common/Settings.h"
#include "common/Text.h"

using namespace common;

TEST(SettingConversions, FlagsAcceptNumbersAndWordsInAnyCase) {
    const std::pair<const char*, std::optional<bool>> cases[] = {
        {"-1", true}, {"1", true},      {"TRUE", true},        {"true", true}, {"0", false},
        {"False", false}, {"0.5", true}, {"yes", std::nullopt}, {"", std::nullopt}, {"1x", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(StrToBoolStrict(text), value) << text;
}

TEST(SettingConversions, IntegersAreStrict) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"20", 20}, {"-5", -5}, {"$8056", 0x8056}, {"0x10", 16}, {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1}, {"2147483648", std::nullopt}, {"99999999999999999999", std::nullopt},
        {"12a", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt}, {"-", std::nullopt}};
    for (const auto& [text, value] : cases) EXPECT_EQ(StrToIntStrict(text), value) << text;
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
    auto split = [](int code) {
        Shortcut s = SplitShortcut(code);
        return std::tuple(s.virtualKey, s.ctrl, s.alt, s.shift);
    };
    EXPECT_EQ(split(32854), std::tuple(0x56, false, true, false));  // Alt+V
    EXPECT_EQ(split(49217), std::tuple('A', true, true, false));    // Ctrl+Alt+A
    EXPECT_EQ(split(0x10000 | 0x6070), std::tuple(0x70, true, false, true));  // only the low 16 bits count
}
