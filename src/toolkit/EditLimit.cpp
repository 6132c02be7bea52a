#include "toolkit/EditLimit.h"

#include <algorithm>

namespace toolkit {
namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A double-byte code page's count: 1 for ASCII, 2 for any other character.
size_t AnsiBytes(std::u16string_view text) {
    size_t bytes = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1])) ++i;
        bytes += text[i] < 0x80 ? 1 : 2;
    }
    return bytes;
}

// The longest start of `text` of whole characters (a surrogate pair is one)
// that takes at most `room` bytes.
std::u16string_view FittingStart(std::u16string_view text, size_t room) {
    size_t n = 0, used = 0;
    while (n < text.size()) {
        size_t next = n + (IsHigh(text[n]) && n + 1 < text.size() && IsLow(text[n + 1]) ? 2 : 1);
        size_t bytes = AnsiBytes(text.substr(n, next - n));
        if (used + bytes > room) break;
        used += bytes;
        n = next;
    }
    return text.substr(0, n);
}

}  // namespace

std::optional<LimitedText> LimitEditChange(std::u16string_view before, std::u16string_view after, size_t maxBytes) {
    size_t shorter = std::min(before.size(), after.size());
    size_t start = 0;
    while (start < shorter && before[start] == after[start]) ++start;
    size_t end = 0;  // common characters at the end, not overlapping the start
    while (end < shorter - start && before[before.size() - 1 - end] == after[after.size() - 1 - end]) ++end;
    // Never split a surrogate pair between the kept parts and the insertion.
    if (start > 0 && IsHigh(after[start - 1])) --start;
    if (end > 0 && IsLow(after[after.size() - end])) --end;

    std::u16string_view head = after.substr(0, start), tail = after.substr(after.size() - end);
    std::u16string_view inserted = after.substr(start, after.size() - start - end);
    if (inserted.empty()) return std::nullopt;  // only removed

    std::u16string_view line = inserted.substr(0, inserted.find_first_of(u"\r\n"));
    size_t kept = AnsiBytes(head) + AnsiBytes(tail);
    std::u16string_view fitting = FittingStart(line, maxBytes > kept ? maxBytes - kept : 0);
    if (fitting.size() == inserted.size()) return std::nullopt;
    LimitedText limited{std::u16string(head), head.size() + fitting.size()};
    limited.text.append(fitting).append(tail);
    return limited;
}

}  // namespace toolkit
