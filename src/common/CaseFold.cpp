#include "common/CaseFold.h"

#include <memory>

#include "common/Text.h"
#include "common/Utf8.h"

namespace common {
namespace {

struct FoldRun {
    char32_t first, last;
    int stride, delta;
};
constexpr FoldRun kFoldRuns[] = {
#include "common/CaseFoldTable.inc"
};

// The basic plane looked up in one step: 128 KB made at the first fold.
const char16_t* BasicPlaneFolds() {
    static const std::unique_ptr<char16_t[]> table = [] {
        auto t = std::make_unique<char16_t[]>(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c) t[c] = static_cast<char16_t>(c);
        for (const FoldRun& run : kFoldRuns)
            for (char32_t c = run.first; c <= run.last && c < 0x10000; c += static_cast<char32_t>(run.stride))
                t[c] = static_cast<char16_t>(static_cast<int>(c) + run.delta);
        return t;
    }();
    return table.get();
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

// A broken sequence decodes to U+FFFD, which folds to itself: its bytes pass through.
void AppendFolded(std::string& out, std::string_view utf8) {
    const char16_t* basic = BasicPlaneFolds();
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += common::AsciiLower(utf8[i]);
            ++i;
            continue;
        }
        auto [c, n] = common::DecodeUtf8(utf8, i);
        char32_t folded = c < 0x10000 ? basic[c] : FoldCase(c);
        if (folded == c) out.append(utf8.data() + i, n);
        else AppendUtf8(out, folded);
        i += n;
    }
}

char32_t FoldCase(char32_t c) noexcept {
    if (c < 0x10000) return BasicPlaneFolds()[c];
    for (const FoldRun& run : kFoldRuns)
        if (c >= run.first && c <= run.last && (c - run.first) % static_cast<char32_t>(run.stride) == 0)
            return static_cast<char32_t>(static_cast<int>(c) + run.delta);
    return c;
}

std::string Folded(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    AppendFolded(out, utf8);
    return out;
}

}  // namespace common
