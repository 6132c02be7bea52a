// The table of keys, setting conversions, path completion and the shortcut code.
#include <gtest/gtest.h>

#include <map>

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

namespace {
// Reads the keys from `file` (name to text) as the profile functions would.
Settings ReadFrom(const std::map<std::string, std::string>& file, std::vector<Problem>& madeDo) {
    return ReadSettings(
        [&](const SettingKey& key, const std::string& fallback) {
            auto found = file.find(key.Name);
            return found == file.end() ? fallback : found->second.substr(0, key.Capacity - 1);
        },
        "C:\\App", madeDo);
}
}  // namespace

TEST(SettingKeys, DefaultsAreWrittenInTheFilesOrderAndReadBackAsTheyWere) {
    std::string written;
    std::map<std::string, std::string> file;
    Settings s;
    s.PersonalHistoryPath = "C:\\App\\";
    for (const SettingKey& key : SettingKeys()) {
        written += std::string(key.Name) + "=" + SettingText(s, key) + "\n";
        file[key.Name] = SettingText(s, key);
    }
    EXPECT_EQ(written,
              "MonitorClipboard=-1\nMaxHistorySize=20\nMaxCaptionLength=20\nNoDuplicatedEntries=-1\n"
              "DeleteClipConf=-1\nDeleteAllConf=-1\nHotKeyOn=-1\nHotKeyCombination=32854\nPreviewMode=-1\n"
              "AutoPaste=0\nPersonalHistoryPath=C:\\App\\\nIgnoredPrograms=\nKeepClipboardHistory=0\n"
              "KeepHistoryDays=90\nKeepHistoryMB=1024\n");
    std::vector<Problem> madeDo;
    EXPECT_EQ(ReadFrom({}, madeDo), s);  // no file: the defaults, the application folder
    Settings changed = s;
    changed.MonitorClipboard = changed.DeleteAllConf = false;
    changed.MaxHistorySize = 1000;  // reading keeps any number: only the dialog holds it to its range
    changed.HotKeyCombination = 49217;
    changed.KeepClipboardHistory = true;
    changed.KeepHistoryMB = 4096;
    changed.IgnoredPrograms = "KeePass.exe;" + std::string(3000, 'p');  // longer than a path
    for (const SettingKey& key : SettingKeys()) file[key.Name] = SettingText(changed, key);
    EXPECT_EQ(ReadFrom(file, madeDo), changed);
    EXPECT_TRUE(madeDo.empty());
    EXPECT_EQ(KeyOf(&Settings::MaxHistorySize).Max, 500);
}

TEST(SettingKeys, ADamagedValueKeepsItsDefaultAndSaysSo) {
    std::vector<Problem> madeDo;
    Settings s = ReadFrom({{"MonitorClipboard", "maybe"}, {"MaxCaptionLength", "30"}, {"HotKeyCombination", "Alt+V"},
                           {"PersonalHistoryPath", "  "}},
                          madeDo);
    EXPECT_TRUE(s.MonitorClipboard);
    EXPECT_EQ(s.HotKeyCombination, 32854);
    EXPECT_EQ(s.MaxCaptionLength, 30);
    EXPECT_EQ(s.PersonalHistoryPath, "C:\\App\\");  // blank: the application folder
    EXPECT_EQ(madeDo, (std::vector<Problem>{
                          {"Pellacor.ini 中 MonitorClipboard 的值 \"maybe\" 不是有效的开关值, 已改用默认值 -1.",
                           Severity::Warning},
                          {"Pellacor.ini 中 HotKeyCombination 的值 \"Alt+V\" 不是有效的整数, 已改用默认值 32854.",
                           Severity::Warning}}));
}
