#include "common/CodePage.h"

#include <algorithm>

#include "common/Utf8.h"

namespace common {

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        auto [cp, length] = DecodeUtf8(s, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += length;
    }
    return out;
}

namespace {
bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Converts `w` into `o`, which has room for it; returns the end of what was written.
// The common cases come first: ASCII, then the rest of the BMP outside the surrogates.
char* WriteUtf8(std::u16string_view w, char* o) {
    auto put = [&o](char32_t byte) { *o++ = static_cast<char>(byte); };
    for (const char16_t *p = w.data(), *end = p + w.size(); p < end;) {
        char32_t c = *p++;
        if (c < 0x80) {
            put(c);
        } else if (c < 0x800) {
            put(0xC0 | (c >> 6));
            put(0x80 | (c & 0x3F));
        } else if (!IsHighSurrogate(c) || p == end || !IsLowSurrogate(*p)) {
            if (IsHighSurrogate(c) || IsLowSurrogate(c)) c = 0xFFFD;  // a lone half of a pair
            put(0xE0 | (c >> 12));
            put(0x80 | ((c >> 6) & 0x3F));
            put(0x80 | (c & 0x3F));
        } else {
            c = 0x10000 + ((c - 0xD800) << 10) + (*p++ - 0xDC00);
            put(0xF0 | (c >> 18));
            put(0x80 | ((c >> 12) & 0x3F));
            put(0x80 | ((c >> 6) & 0x3F));
            put(0x80 | (c & 0x3F));
        }
    }
    return o;
}
}  // namespace

// The length first, then the bytes straight into place in chunks (no pass
// that only clears memory): long clip texts are converted on every capture.
std::string Utf16ToUtf8(std::u16string_view w) {
    size_t length = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        char32_t c = w[i];
        if (c < 0x80) length += 1;
        else if (c < 0x800) length += 2;
        else if (IsHighSurrogate(c) && i + 1 < w.size() && IsLowSurrogate(w[i + 1])) length += 4, ++i;
        else length += 3;
    }
    std::string out;
    out.reserve(length);
    constexpr size_t kChunk = 2048;  // units; a pair is never split between chunks
    char buffer[4 * kChunk];
    while (!w.empty()) {
        size_t take = std::min(w.size(), kChunk);
        if (take < w.size() && IsHighSurrogate(w[take - 1])) --take;
        out.append(buffer, WriteUtf8(w.substr(0, take), buffer));
        w.remove_prefix(take);
    }
    return out;
}

size_t CharacterLength(std::string_view s, size_t at) { return DecodeUtf8(s, at).length; }

size_t NarrowWidth(std::string_view utf8) {
    size_t width = 0;
    for (size_t i = 0; i < utf8.size(); i += CharacterLength(utf8, i))
        width += static_cast<unsigned char>(utf8[i]) < 0x80 ? 1 : 2;
    return width;
}

size_t WidthPrefix(std::string_view utf8, size_t maxWidth) {
    size_t i = 0, width = 0;
    while (i < utf8.size()) {
        width += static_cast<unsigned char>(utf8[i]) < 0x80 ? 1 : 2;
        if (width > maxWidth) break;
        i += CharacterLength(utf8, i);
    }
    return i;
}

bool FitsCodePage(std::string_view utf8, unsigned codePage) {
    std::u16string wide = Utf8ToUtf16(utf8);
    return CodePageToUtf16(Utf16ToCodePage(wide, codePage), codePage) == wide;
}

}  // namespace common
