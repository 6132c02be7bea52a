// The preferences dialog's values checked as a whole before anything is taken over.
#include <gtest/gtest.h>

#include "app/Preferences.h"

using app::PreferenceField;

namespace {

app::PreferenceValues Valid() {
    app::PreferenceValues v;
    v.HistorySize = "20";
    v.CaptionLength = "20";
    v.HotKey = 0x8056;
    v.PersonalHistoryPath = "D:\\Clips";
    return v;
}

// Folders that exist: D:\Clips, and ".", which stands for C:\Work.
std::optional<std::string> Lookup(const std::string& typed) {
    if (typed == "D:\\Clips" || typed == "D:\\Clips\\") return typed;
    if (typed == ".") return std::string("C:\\Work");
    return std::nullopt;
}

std::optional<PreferenceField> Refused(const app::PreferenceValues& v) {
    auto result = app::CheckPreferences(v, common::Settings{}, Lookup);
    if (auto* problem = std::get_if<app::PreferenceProblem>(&result)) return problem->Field;
    return std::nullopt;
}

}  // namespace

TEST(Preferences, SizesOutsideTheirRangesAndTextThatIsNoNumberAreRefused) {
    const std::pair<const char*, bool> historySizes[] = {{"1", true}, {"500", true}, {"0", false}, {"501", false},
                                                         {"", false}, {"-5", false}, {"12a", false}};
    for (const auto& [text, accepted] : historySizes) {
        app::PreferenceValues v = Valid();
        v.HistorySize = text;
        EXPECT_EQ(Refused(v), accepted ? std::nullopt : std::optional(PreferenceField::HistorySize)) << text;
    }
    const std::pair<const char*, bool> captionLengths[] = {
        {"10", true}, {"100", true}, {"9", false}, {"101", false}, {"", false}};
    for (const auto& [text, accepted] : captionLengths) {
        app::PreferenceValues v = Valid();
        v.CaptionLength = text;
        EXPECT_EQ(Refused(v), accepted ? std::nullopt : std::optional(PreferenceField::CaptionLength)) << text;
    }
}

TEST(Preferences, AMissingHotKeyCountsOnlyWhileTheHotKeyIsOn) {
    app::PreferenceValues v = Valid();
    v.HotKey = 0;
    EXPECT_EQ(Refused(v), PreferenceField::HotKey);
    v.HotKeyOn = false;
    EXPECT_EQ(Refused(v), std::nullopt);
}

TEST(Preferences, TheFirstRefusedValueInTheDialogsOrderIsReported) {
    app::PreferenceValues v = Valid();
    v.PersonalHistoryPath = "D:\\Missing";
    EXPECT_EQ(Refused(v), PreferenceField::PersonalHistoryPath);
    v.HotKey = 0;
    EXPECT_EQ(Refused(v), PreferenceField::HotKey);
    v.CaptionLength = "0";
    EXPECT_EQ(Refused(v), PreferenceField::CaptionLength);
    v.HistorySize = "0";
    auto result = app::CheckPreferences(v, common::Settings{}, Lookup);
    auto& problem = std::get<app::PreferenceProblem>(result);
    EXPECT_STREQ(problem.Title, "最大历史纪录");
    EXPECT_STREQ(problem.Text, "\"最大历史纪录\" 的数值必须在 1 与 500 之间.");
}

TEST(Preferences, AcceptedValuesReplaceTheSettingsWithTheFolderCompleted) {
    common::Settings current;
    current.PersonalHistoryPath = "E:\\Old\\";
    app::PreferenceValues v = Valid();
    v.HistorySize = "7";
    v.CaptionLength = "100";
    v.NoDuplicatedEntries = v.PreviewMode = v.DeleteClipConf = v.DeleteAllConf = v.HotKeyOn = false;
    v.HotKey = 0;
    v.PersonalHistoryPath = ".";
    auto s = std::get<common::Settings>(app::CheckPreferences(v, current, Lookup));
    EXPECT_EQ(s.MaxHistorySize, 7);
    EXPECT_EQ(s.MaxCaptionLength, 100);
    EXPECT_FALSE(s.NoDuplicatedEntries || s.PreviewMode || s.DeleteClipConf || s.DeleteAllConf || s.HotKeyOn);
    EXPECT_EQ(s.HotKeyCombination, 0);
    EXPECT_EQ(s.PersonalHistoryPath, "C:\\Work\\");  // the full path, with its backslash
    v.PersonalHistoryPath = "D:\\Clips\\";
    EXPECT_EQ(std::get<common::Settings>(app::CheckPreferences(v, current, Lookup)).PersonalHistoryPath, "D:\\Clips\\");
}
