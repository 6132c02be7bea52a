#pragma once
// What the preferences dialog holds when the user confirms it, checked as a
// whole before anything is taken over: a refused value leaves every setting
// as it was, so Cancel after a warning really cancels.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "archive/ClipArchive.h"
#include "common/Report.h"
#include "common/Settings.h"

namespace app {

struct PreferenceValues {
    std::string HistorySize;    // the edits' texts: what is not a number counts as 0
    std::string CaptionLength;
    // The check boxes whose settings are taken as they are, each with its setting.
    std::vector<std::pair<bool common::Settings::*, bool>> Flags;
    bool HotKeyOn = true;
    uint16_t HotKey = 0;        // shortcut code; 0 is no key
    std::string PersonalHistoryPath;
    std::string IgnoredPrograms;  // taken as typed, without blanks at its ends
    // The archive's days and size count only while it is on; off keeps them as they were.
    bool KeepClipboardHistory = false;
    std::string KeepHistoryDays, KeepHistoryMB;
};

// The first value refused, in the dialog's order, with its warning (under
// the title that names the value).
enum class PreferenceField { HistorySize, CaptionLength, HotKey, PersonalHistoryPath, KeepHistoryDays, KeepHistoryMB };
struct PreferenceProblem {
    PreferenceField Field;
    common::Problem Warning;
};

// The folder a typed path names, as a full path, when it is an existing folder.
using FolderLookup = std::function<std::optional<std::string>(const std::string& typed)>;

// `current` with the dialog's values, or the first problem (nothing taken over).
std::variant<common::Settings, PreferenceProblem> CheckPreferences(const PreferenceValues& values,
                                                                   const common::Settings& current,
                                                                   const FolderLookup& folder);

// The line of the archive page: "存档: 12345 个剪辑, 85 MB" (no archive: none).
std::string ArchiveSummaryText(const std::optional<archive::ArchiveSummary>& summary);

}  // namespace app
