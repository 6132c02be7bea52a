#include "common/Settings.h"

#include <cctype>
#include <cstdlib>
#include <limits>
#include <stdexcept>

#include "common/Text.h"

namespace common {

const std::vector<SettingKey>& SettingKeys() {
    // Earlier versions read and write these names in this order; the ranges
    // are the ones the preferences dialog has always accepted.
    static const std::vector<SettingKey> keys = {
        {.Name = "MonitorClipboard", .Value = &Settings::MonitorClipboard},
        {.Name = "MaxHistorySize", .Value = &Settings::MaxHistorySize, .Min = 1, .Max = 500},
        {.Name = "MaxCaptionLength", .Value = &Settings::MaxCaptionLength, .Min = 10, .Max = 100},
        {.Name = "NoDuplicatedEntries", .Value = &Settings::NoDuplicatedEntries},
        {.Name = "DeleteClipConf", .Value = &Settings::DeleteClipConf},
        {.Name = "DeleteAllConf", .Value = &Settings::DeleteAllConf},
        {.Name = "HotKeyOn", .Value = &Settings::HotKeyOn},
        {.Name = "HotKeyCombination", .Value = &Settings::HotKeyCombination},
        {.Name = "PreviewMode", .Value = &Settings::PreviewMode},
        {.Name = "AutoPaste", .Value = &Settings::AutoPaste},
        {.Name = "PersonalHistoryPath", .Value = &Settings::PersonalHistoryPath, .Folder = true},
        // A list of programs may well be longer than a path.
        {.Name = "IgnoredPrograms", .Value = &Settings::IgnoredPrograms, .Capacity = 4096},
        {.Name = "KeepClipboardHistory", .Value = &Settings::KeepClipboardHistory},
        {.Name = "KeepHistoryDays", .Value = &Settings::KeepHistoryDays, .Min = 1, .Max = 3650},
        {.Name = "KeepHistoryMB", .Value = &Settings::KeepHistoryMB, .Min = 16, .Max = 65536},
    };
    return keys;
}

const SettingKey& KeyOf(int32_t Settings::*number) {
    for (const SettingKey& key : SettingKeys())
        if (auto* member = std::get_if<int32_t Settings::*>(&key.Value); member && *member == number) return key;
    throw std::logic_error("a number without a key");
}

const SettingKey& KeyOf(std::string Settings::*text) {
    for (const SettingKey& key : SettingKeys())
        if (auto* member = std::get_if<std::string Settings::*>(&key.Value); member && *member == text) return key;
    throw std::logic_error("a text without a key");
}

std::string SettingText(const Settings& s, const SettingKey& key) {
    struct Text {
        const Settings& s;
        std::string operator()(bool Settings::*flag) const { return BoolToStr(s.*flag); }
        std::string operator()(int32_t Settings::*number) const { return std::to_string(s.*number); }
        std::string operator()(std::string Settings::*text) const { return s.*text; }
    };
    return std::visit(Text{s}, key.Value);
}

Settings ReadSettings(const ReadSettingText& read, const std::string& applicationFolder,
                      std::vector<Problem>& madeDo) {
    const Settings defaults;
    Settings s;
    for (const SettingKey& key : SettingKeys()) {
        std::string fallback = key.Folder ? applicationFolder : SettingText(defaults, key);
        std::string text = read(key, fallback);
        auto replaced = [&](const char* what) {
            madeDo.push_back({Format("Pellacor.ini 中 %s 的值 \"%s\" 不是有效的%s, 已改用默认值 %s.", key.Name,
                                     text.c_str(), what, fallback.c_str()),
                              Severity::Warning});
        };
        if (auto* flag = std::get_if<bool Settings::*>(&key.Value)) {
            if (auto value = StrToBoolStrict(text)) s.*(*flag) = *value;
            else replaced("开关值");
        } else if (auto* number = std::get_if<int32_t Settings::*>(&key.Value)) {
            if (auto value = StrToIntStrict(text)) s.*(*number) = *value;
            else replaced("整数");
        } else if (key.Folder) {
            // An empty value names no folder: the application folder stands in for it.
            s.*std::get<std::string Settings::*>(key.Value) = CompletePath(IsBlank(text) ? applicationFolder : text);
        } else {
            s.*std::get<std::string Settings::*>(key.Value) = text;
        }
    }
    return s;
}

std::optional<int32_t> StrToIntStrict(std::string_view text) {
    if (text.empty()) return std::nullopt;
    size_t i = 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        int c = static_cast<unsigned char>(text[i]);
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && std::isxdigit(c)) digit = AsciiLower(static_cast<char>(c)) - 'a' + 10;
        else return std::nullopt;
        value = value * base + digit;
        if (value > int64_t{1} << 32) return std::nullopt;
    }
    if (negative) value = -value;
    // Hexadecimal may spell the whole 32-bit pattern (FFFFFFFF is -1).
    if (base == 16 && !negative && value > std::numeric_limits<int32_t>::max() && value <= 0xFFFFFFFFLL)
        value -= int64_t{1} << 32;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<bool> StrToBoolStrict(std::string_view text) {
    if (EqualIgnoringAsciiCase(text, "true")) return true;
    if (EqualIgnoringAsciiCase(text, "false")) return false;
    if (auto n = StrToIntStrict(text)) return *n != 0;
    // A decimal fraction such as "0.5" is numeric too.
    std::string copy(text);
    if (copy.empty() || std::isspace(static_cast<unsigned char>(copy[0]))) return std::nullopt;
    char* end = nullptr;
    double d = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size()) return std::nullopt;
    for (char c : copy)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    return d != 0.0;
}

Shortcut SplitShortcut(int32_t code) {
    auto bits = static_cast<uint16_t>(code & 0xFFFF);
    Shortcut s;
    s.virtualKey = bits & 0x1FFF;
    s.shift = (bits & 0x2000) != 0;
    s.ctrl = (bits & 0x4000) != 0;
    s.alt = (bits & 0x8000) != 0;
    return s;
}

}  // namespace common
