#include "common/CodePage.h"

namespace common {

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    auto byteAt = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    auto isCont = [&](size_t k) { return k < s.size() && (byteAt(k) & 0xC0) == 0x80; };
    while (i < s.size()) {
        unsigned char b = byteAt(i);
        char32_t cp = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0 && isCont(i + 1)) {
            cp = ((b & 0x1F) << 6) | (byteAt(i + 1) & 0x3F);
            len = 2;
            if (cp < 0x80) cp = 0xFFFD;
        } else if ((b & 0xF0) == 0xE0 && isCont(i + 1) && isCont(i + 2)) {
            cp = ((b & 0x0F) << 12) | ((byteAt(i + 1) & 0x3F) << 6) | (byteAt(i + 2) & 0x3F);
            len = 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        } else if ((b & 0xF8) == 0xF0 && isCont(i + 1) && isCont(i + 2) && isCont(i + 3)) {
            cp = ((b & 0x07) << 18) | ((byteAt(i + 1) & 0x3F) << 12) | ((byteAt(i + 2) & 0x3F) << 6) |
                 (byteAt(i + 3) & 0x3F);
            len = 4;
            if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view w) {
    std::string out;
    out.reserve(w.size());
    for (size_t i = 0; i < w.size(); ++i) {
        char32_t cp = w[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < w.size() && w[i + 1] >= 0xDC00 && w[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (w[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

size_t CharBoundaryPrefix(std::string_view text, size_t maxBytes) {
    if (maxBytes >= text.size()) return text.size();
    size_t i = 0;
    while (i < maxBytes) {
        size_t step = (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
        if (i + step > maxBytes) break;
        i += step;
    }
    return i;
}

size_t CompleteCharactersLength(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i == text.size() ? i : text.size() - 1;
}

std::string ChangeEachCharacter(std::string_view ansi, size_t (*changeOne)(char* bytes, size_t size)) {
    std::string out(ansi);
    const size_t whole = CompleteCharactersLength(ansi);
    for (size_t i = 0; i < whole;) {
        size_t size = IsLeadByte(static_cast<unsigned char>(ansi[i])) ? 2 : 1;
        char one[2] = {ansi[i], size == 2 ? ansi[i + 1] : '\0'};
        if (changeOne(one, size) == size) out.replace(i, size, one, size);
        i += size;
    }
    return out;
}

}  // namespace common
