#pragma once
// The settings, named after their keys in Pellacor.ini; the one table of those
// keys, which reads, writes and defaults every one of them; and the strict
// conversions between the values and the file's texts. The main form owns the
// one Settings value and hands each part the settings it needs.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/Report.h"

namespace common {

struct Settings {
    // The general menu's "监视剪贴板"; the preferences dialog leaves it alone.
    bool MonitorClipboard = true;
    std::string PersonalHistoryPath;  // always ends with a backslash once read
    int32_t MaxHistorySize = 20;
    int32_t MaxCaptionLength = 20;
    bool NoDuplicatedEntries = true;
    bool DeleteClipConf = true;
    bool DeleteAllConf = true;
    bool HotKeyOn = true;
    int32_t HotKeyCombination = 32854;  // Alt+V
    bool PreviewMode = true;
    // Picking a clip after the hot key also pastes it into the window the user came from.
    bool AutoPaste = false;
    // Program file names separated by ";": what they copy is never kept.
    std::string IgnoredPrograms;
    // The clipboard archive: every clip kept in History.db, for so many days
    // and within so many megabytes.
    bool KeepClipboardHistory = false;
    int32_t KeepHistoryDays = 90;
    int32_t KeepHistoryMB = 1024;
    bool operator==(const Settings&) const = default;
};

// One key of Pellacor.ini and the member of Settings it fills. Its default is
// that member's value in Settings{}; a folder's is the application folder.
struct SettingKey {
    using Member = std::variant<bool Settings::*, int32_t Settings::*, std::string Settings::*>;
    const char* Name;
    Member Value;
    bool Folder = false;       // a path: completed with its backslash when read
    unsigned Capacity = 261;   // characters read at most, with the closing zero
    int32_t Min = 0, Max = 0;  // a number's range in the preferences dialog; reading keeps any number
};
// Every key, in the order of the file.
const std::vector<SettingKey>& SettingKeys();
// The key of a number, for its range; of a text, for its capacity.
const SettingKey& KeyOf(int32_t Settings::*number);
const SettingKey& KeyOf(std::string Settings::*text);

// The text the file holds for the key's value.
std::string SettingText(const Settings& s, const SettingKey& key);
// The text of `key` in the file, or `fallback` when the file or the key is missing.
using ReadSettingText = std::function<std::string(const SettingKey& key, const std::string& fallback)>;
// Every key through `read`. A number or flag that does not convert keeps its
// default and adds a warning to `madeDo`; a blank folder is `applicationFolder`.
Settings ReadSettings(const ReadSettingText& read, const std::string& applicationFolder,
                      std::vector<Problem>& madeDo);

// Decimal (optionally signed) or hexadecimal with "$" or "0x"; nothing else.
std::optional<int32_t> StrToIntStrict(std::string_view text);
// Any numeric text (true when not zero) or "True"/"False" in any letter case.
std::optional<bool> StrToBoolStrict(std::string_view text);
inline std::string BoolToStr(bool value) { return value ? "-1" : "0"; }

// The 16-bit shortcut code of the hot key.
struct Shortcut {
    uint16_t virtualKey = 0;  // bits 0 to 12
    bool shift = false;       // 0x2000
    bool ctrl = false;        // 0x4000
    bool alt = false;         // 0x8000
};
Shortcut SplitShortcut(int32_t code);

}  // namespace common
