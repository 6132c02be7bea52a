#include "app/Preferences.h"

#include "common/Text.h"

namespace app {
namespace {

using common::BoxTitle;

PreferenceProblem Refused(PreferenceField field, const char* text, BoxTitle title) {
    return {field, {text, common::Severity::Warning, title}};
}
PreferenceProblem HistorySizeProblem() {
    return Refused(PreferenceField::HistorySize, "\"最大历史纪录\" 的数值必须在 1 与 500 之间.", BoxTitle::HistorySize);
}
PreferenceProblem CaptionLengthProblem() {
    return Refused(PreferenceField::CaptionLength, "\"最大标题长度\" 的数值必须在 10 与 100 之间.",
                   BoxTitle::CaptionLength);
}
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
    int historySize = NumberOrZero(values.HistorySize);
    if (historySize < kMinHistorySize || historySize > kMaxHistorySize) return HistorySizeProblem();
    int captionLength = NumberOrZero(values.CaptionLength);
    if (captionLength < kMinCaptionLength || captionLength > kMaxCaptionLength) return CaptionLengthProblem();
    if (values.HotKeyOn && values.HotKey == 0) return HotKeyProblem();
    std::optional<std::string> personalFolder = folder(values.PersonalHistoryPath);
    if (!personalFolder) return FolderProblem();

    common::Settings s = current;
    s.MaxHistorySize = historySize;
    s.MaxCaptionLength = captionLength;
    s.NoDuplicatedEntries = values.NoDuplicatedEntries;
    s.DeleteClipConf = values.DeleteClipConf;
    s.DeleteAllConf = values.DeleteAllConf;
    s.HotKeyOn = values.HotKeyOn;
    s.HotKeyCombination = values.HotKey;
    s.PreviewMode = values.PreviewMode;
    s.AutoPaste = values.AutoPaste;
    s.PersonalHistoryPath = common::CompletePath(*personalFolder);
    s.IgnoredPrograms = common::TrimBlanks(values.IgnoredPrograms);
    return s;
}

}  // namespace app
