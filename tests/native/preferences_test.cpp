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

TEST(Preferences, TheArchivesDaysAndSizeAreCheckedAndTakenOverOnlyWhileItIsOn) {
    constexpr auto kDays = PreferenceField::KeepHistoryDays, kSize = PreferenceField::KeepHistoryMB;
    const struct {
        const char *days, *megabytes;
        std::optional<PreferenceField> refused;
    } cases[] = {{"1", "16", std::nullopt}, {"3650", "65536", std::nullopt}, {"0", "1024", kDays},
                 {"3651", "1024", kDays},   {"", "1024", kDays},             {"90", "15", kSize},
                 {"90", "65537", kSize}};
    for (const auto& c : cases) {
        app::PreferenceValues v = Valid();
        v.KeepClipboardHistory = true;
        v.KeepHistoryDays = c.days;
        v.KeepHistoryMB = c.megabytes;
        EXPECT_EQ(Refused(v), c.refused) << c.days << " / " << c.megabytes;
        v.KeepClipboardHistory = false;
        EXPECT_EQ(Refused(v), std::nullopt) << c.days << " / " << c.megabytes;
    }
    app::PreferenceValues v = Valid();
    v.KeepHistoryDays = "0";
    auto off = std::get<common::Settings>(app::CheckPreferences(v, common::Settings{}, Lookup));
    EXPECT_EQ(off.KeepHistoryDays, 90);  // off: kept as it was
    v.KeepClipboardHistory = true;
    v.KeepHistoryDays = "7";
    v.KeepHistoryMB = "64";
    auto on = std::get<common::Settings>(app::CheckPreferences(v, common::Settings{}, Lookup));
    EXPECT_TRUE(on.KeepClipboardHistory);
    EXPECT_EQ(on.KeepHistoryDays, 7);
    EXPECT_EQ(on.KeepHistoryMB, 64);
}

TEST(Preferences, TheArchiveLineCountsClipsAndWholeMegabytes) {
    EXPECT_EQ(app::ArchiveSummaryText(archive::ArchiveSummary{12345, 85 * 1024 * 1024 + 1000}), "存档: 12345 个剪辑, 85 MB");
    EXPECT_EQ(app::ArchiveSummaryText(std::nullopt), "存档: 0 个剪辑, 0 MB");
}
