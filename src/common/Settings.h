#pragma once
// The program-wide settings, named after their keys in Pellacor.ini, and the
// strict conversions between them and the file's texts.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace common {

struct Settings {
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
    // MonitorClipboard lives in the check mark of the "监视剪贴板" menu item.
};

// The one instance every subsystem reads.
Settings& settings();

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
