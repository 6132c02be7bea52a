#include "common/Settings.h"

#include <cctype>
#include <cstdlib>
#include <limits>

#include "common/Text.h"

namespace common {

Settings& settings() {
    static Settings instance;
    return instance;
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
