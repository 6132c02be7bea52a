#pragma once
// The one UTF-8 decoder of the program. A broken sequence (a stray continuation
// byte, a lead byte without its continuations, an overlong form, a surrogate, a
// code point beyond U+10FFFF) decodes to U+FFFD over its longest valid start, at
// least one byte, so decoding goes on right after it and never reads past the end.
#include <cstddef>
#include <string_view>

namespace common {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct Utf8Character {
    char32_t code;
    size_t length;  // bytes, at least 1
};

// The character that starts at `at`, which must be inside `utf8`.
constexpr Utf8Character DecodeUtf8(std::string_view utf8, size_t at) noexcept {
    auto byteAt = [&](size_t k) { return static_cast<unsigned char>(utf8[k]); };
    const unsigned char lead = byteAt(at);
    if (lead < 0x80) return {lead, 1};
    size_t length = 0;
    char32_t code = 0;
    // The second byte's range keeps the form shortest, out of the surrogates and within U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {kReplacementCharacter, 1};
    }
    for (size_t k = 1; k < length; ++k) {
        if (at + k >= utf8.size()) return {kReplacementCharacter, k};
        const unsigned char next = byteAt(at + k);
        if (k == 1 ? next < low || next > high : (next & 0xC0) != 0x80) return {kReplacementCharacter, k};
        code = code << 6 | (next & 0x3F);
    }
    return {code, length};
}

}  // namespace common
