#include "app/Preferences.h"

#include <utility>

#include "common/Text.h"

namespace app {
namespace {

using common::BoxTitle;

PreferenceProblem Refused(PreferenceField field, std::string text, BoxTitle title) {
    return {field, {std::move(text), common::Severity::Warning, title}};
}
std::string OutOfRange(const char* name, const common::SettingKey& key) {
    return common::Format("\"%s\" 的数值必须在 %d 与 %d 之间.", name, key.Min, key.Max);
}
PreferenceProblem HistorySizeProblem(const common::SettingKey& key) {
    return Refused(PreferenceField::HistorySize, OutOfRange("最大历史纪录", key), BoxTitle::HistorySize);
}
PreferenceProblem CaptionLengthProblem(const common::SettingKey& key) {
    return Refused(PreferenceField::CaptionLength, OutOfRange("最大标题长度", key), BoxTitle::CaptionLength);
}
PreferenceProblem KeepDaysProblem(const common::SettingKey& key) {
    return Refused(PreferenceField::KeepHistoryDays, OutOfRange("保留天数", key), BoxTitle::KeepHistoryDays);
}
PreferenceProblem KeepMBProblem(const common::SettingKey& key) {
    return Refused(PreferenceField::KeepHistoryMB, OutOfRange("最大存档大小", key), BoxTitle::KeepHistoryMB);
}
bool InRange(int value, const common::SettingKey& key) { return value >= key.Min && value <= key.Max; }
PreferenceProblem HotKeyProblem() {
    return Refused(PreferenceField::HotKey, "\"快捷键\" 必须设置.  \r\n\r\n例如 : ALT + V  ", BoxTitle::HotKey);
}
PreferenceProblem FolderProblem() {
    return Refused(PreferenceField::PersonalHistoryPath, "请输入有效的 \"个人历史\" 路径.", BoxTitle::PersonalHistoryPath);
}

int NumberOrZero(const std::string& text) { return common::StrToIntStrict(text).value_or(0); }

}  // namespace

std::variant<common::Settings, PreferenceProblem> CheckPreferences(const PreferenceValues& values,
                                                                   const common::Settings& current,
                                                                   const FolderLookup& folder) {
    const common::SettingKey& historyKey = common::KeyOf(&common::Settings::MaxHistorySize);
    int historySize = NumberOrZero(values.HistorySize);
    if (!InRange(historySize, historyKey)) return HistorySizeProblem(historyKey);
    const common::SettingKey& captionKey = common::KeyOf(&common::Settings::MaxCaptionLength);
    int captionLength = NumberOrZero(values.CaptionLength);
    if (!InRange(captionLength, captionKey)) return CaptionLengthProblem(captionKey);
    if (values.HotKeyOn && values.HotKey == 0) return HotKeyProblem();
    std::optional<std::string> personalFolder = folder(values.PersonalHistoryPath);
    if (!personalFolder) return FolderProblem();
    const common::SettingKey& daysKey = common::KeyOf(&common::Settings::KeepHistoryDays);
    const common::SettingKey& sizeKey = common::KeyOf(&common::Settings::KeepHistoryMB);
    int keepDays = NumberOrZero(values.KeepHistoryDays), keepMB = NumberOrZero(values.KeepHistoryMB);
    if (values.KeepClipboardHistory) {
        if (!InRange(keepDays, daysKey)) return KeepDaysProblem(daysKey);
        if (!InRange(keepMB, sizeKey)) return KeepMBProblem(sizeKey);
    }

    common::Settings s = current;
    s.MaxHistorySize = historySize;
    s.MaxCaptionLength = captionLength;
    for (const auto& [setting, on] : values.Flags) s.*setting = on;
    s.HotKeyOn = values.HotKeyOn;
    s.HotKeyCombination = values.HotKey;
    s.PersonalHistoryPath = common::CompletePath(*personalFolder);
    s.IgnoredPrograms = common::TrimBlanks(values.IgnoredPrograms);
    s.KeepClipboardHistory = values.KeepClipboardHistory;
    if (values.KeepClipboardHistory) {
        s.KeepHistoryDays = keepDays;
        s.KeepHistoryMB = keepMB;
    }
    return s;
}

std::string ArchiveSummaryText(const std::optional<archive::ArchiveSummary>& summary) {
    const archive::ArchiveSummary shown = summary.value_or(archive::ArchiveSummary{});
    const int64_t megabyte = 1024 * 1024;
    return common::Format("存档: %lld 个剪辑, %lld MB", static_cast<long long>(shown.Clips),
                          static_cast<long long>((shown.Bytes + megabyte / 2) / megabyte));
}

}  // namespace app
