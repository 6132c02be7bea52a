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
    if (typed == "D:\\Clips") return typed;
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
    constexpr auto kHistory = PreferenceField::HistorySize, kCaption = PreferenceField::CaptionLength;
    const struct {
        const char *historySize, *captionLength;
        std::optional<PreferenceField> refused;
    } cases[] = {
        {"1", "10", std::nullopt}, {"500", "100", std::nullopt}, {"0", "20", kHistory},  {"501", "20", kHistory},
        {"", "20", kHistory},      {"-5", "20", kHistory},       {"12a", "20", kHistory}, {"20", "9", kCaption},
        {"20", "101", kCaption},   {"20", "", kCaption},
    };
    for (const auto& c : cases) {
        app::PreferenceValues v = Valid();
        v.HistorySize = c.historySize;
        v.CaptionLength = c.captionLength;
        EXPECT_EQ(Refused(v), c.refused) << c.historySize << " / " << c.captionLength;
    }
}

TEST(Preferences, TheFirstRefusedValueInTheDialogsOrderIsReported) {
    app::PreferenceValues v = Valid();
    v.PersonalHistoryPath = "D:\\Missing";
    EXPECT_EQ(Refused(v), PreferenceField::PersonalHistoryPath);
    v.HotKey = 0;
    EXPECT_EQ(Refused(v), PreferenceField::HotKey);
    v.HotKeyOn = false;  // a missing hot key counts only while the hot key is on
    EXPECT_EQ(Refused(v), PreferenceField::PersonalHistoryPath);
    v.CaptionLength = "0";
    EXPECT_EQ(Refused(v), PreferenceField::CaptionLength);
    v.HistorySize = "0";
    EXPECT_EQ(Refused(v), PreferenceField::HistorySize);
}

TEST(Preferences, TheFolderIsTakenOverAsAFullPathWithItsBackslash) {
    app::PreferenceValues v = Valid();
    v.PersonalHistoryPath = ".";
    auto s = std::get<common::Settings>(app::CheckPreferences(v, common::Settings{}, Lookup));
    EXPECT_EQ(s.PersonalHistoryPath, "C:\\Work\\");
}
