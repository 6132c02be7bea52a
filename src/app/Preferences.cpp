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

    common::Settings s = current;
    s.MaxHistorySize = historySize;
    s.MaxCaptionLength = captionLength;
    for (const auto& [setting, on] : values.Flags) s.*setting = on;
    s.HotKeyOn = values.HotKeyOn;
    s.HotKeyCombination = values.HotKey;
    s.PersonalHistoryPath = common::CompletePath(*personalFolder);
    s.IgnoredPrograms = common::TrimBlanks(values.IgnoredPrograms);
    return s;
}

}  // namespace app
