#include "common/IniText.h"

#include <vector>

#include "common/CodePage.h"
#include "common/Text.h"

namespace common {
namespace {

constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view s) {
    size_t begin = s.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return s.substr(begin, s.find_last_not_of(" \t") - begin + 1);
}

struct Line {
    std::string_view text;  // without its line end
    size_t end;             // where the next line starts
};

std::vector<Line> Lines(std::string_view text) {
    std::vector<Line> lines;
    for (size_t at = 0; at < text.size();) {
        size_t nl = text.find('\n', at);
        size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
        std::string_view line = text.substr(at, next - at);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        lines.push_back({line, next});
        at = next;
    }
    return lines;
}

// The section a line opens ("[name]"), if it opens one.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trimmed(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trimmed(line.substr(1, close - 1));
}

// The key a line sets, if it sets one.
std::optional<std::string_view> KeyOf(std::string_view line) {
    std::string_view trimmed = Trimmed(line);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Trimmed(line.substr(0, equals));
}

}  // namespace

std::string IniTextOf(std::string_view bytes) {
    if (bytes.substr(0, 2) == kUtf16Mark) {
        bytes.remove_prefix(2);
        std::u16string wide(bytes.size() / 2, u'\0');
        for (size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) | static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
        return Utf16ToUtf8(wide);
    }
    if (bytes.substr(0, 3) == kUtf8Mark) return std::string(bytes.substr(3));
    return CodePageToUtf8(bytes, kChineseCodePage);
}

std::string IniBytesOf(std::string_view text) {
    if (FitsCodePage(text, kChineseCodePage)) return Utf8ToCodePage(text, kChineseCodePage);
    std::string bytes(kUtf16Mark);
    for (char16_t unit : Utf8ToUtf16(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::optional<std::string> IniValue(std::string_view text, std::string_view section, std::string_view key) {
    bool inSection = false;
    for (const Line& line : Lines(text)) {
        if (auto name = SectionOf(line.text)) {
            inSection = EqualIgnoringAsciiCase(*name, section);
            continue;
        }
        if (!inSection) continue;
        auto found = KeyOf(line.text);
        if (!found || !EqualIgnoringAsciiCase(*found, key)) continue;
        std::string_view value = Trimmed(line.text.substr(line.text.find('=') + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return std::nullopt;
}

std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::string entry = std::string(key) + "=" + std::string(value) + "\r\n";
    bool inSection = false;
    std::optional<size_t> sectionEnd;  // after the section's last line that is not blank
    size_t start = 0;
    for (const Line& line : Lines(text)) {
        size_t begin = start;
        start = line.end;
        if (auto name = SectionOf(line.text)) {
            if (inSection) break;  // the key is not in the section
            inSection = EqualIgnoringAsciiCase(*name, section);
            if (inSection) sectionEnd = line.end;
            continue;
        }
        if (!inSection) continue;
        if (auto found = KeyOf(line.text); found && EqualIgnoringAsciiCase(*found, key))
            return std::string(text.substr(0, begin)) + entry + std::string(text.substr(line.end));
        if (!Trimmed(line.text).empty()) sectionEnd = line.end;
    }
    std::string changed(text);
    if (sectionEnd) {
        // A last line without its line end gets one first.
        size_t at = *sectionEnd;
        std::string before = changed.substr(0, at);
        if (!before.empty() && before.back() != '\n') before += "\r\n";
        return before + entry + changed.substr(at);
    }
    if (!changed.empty() && changed.back() != '\n') changed += "\r\n";
    return changed + "[" + std::string(section) + "]\r\n" + entry;
}

}  // namespace common
