#include "common/VisibleCharacters.h"

#include <vector>

#include "common/Utf8.h"

namespace common {
namespace {

constexpr char32_t kJoiner = 0x200D;

bool Extends(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
           (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE20 && c <= 0xFE2F) || (c >= 0xFE00 && c <= 0xFE0F) ||
           (c >= 0xE0100 && c <= 0xE01EF) || (c >= 0x1F3FB && c <= 0x1F3FF) || (c >= 0xE0020 && c <= 0xE007F) ||
           c == kJoiner;
}

bool RegionalIndicator(char32_t c) { return c >= 0x1F1E6 && c <= 0x1F1FF; }

}  // namespace

size_t VisibleCharacterStart(std::string_view utf8, size_t at) {
    if (at == 0 || at >= utf8.size()) return at;
    // The characters before `at` and the one there.
    struct Character {
        char32_t code;
        size_t start;
    };
    std::vector<Character> characters;
    for (size_t i = 0; i <= at;) {
        Utf8Character c = DecodeUtf8(utf8, i);
        characters.push_back({c.code, i});
        i += c.length;
    }
    size_t k = characters.size() - 1;  // the character at `at`
    auto joined = [&](size_t i) { return i > 0 && (Extends(characters[i].code) || characters[i - 1].code == kJoiner); };
    while (joined(k)) --k;
    if (k > 0 && RegionalIndicator(characters[k].code)) {
        size_t run = 0;  // regional indicators right before it pair up two by two
        for (size_t i = k; i > 0 && RegionalIndicator(characters[i - 1].code); --i) ++run;
        if (run % 2 == 1) --k;
    }
    return characters[k].start;
}

}  // namespace common
