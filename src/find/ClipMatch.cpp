#include "find/ClipMatch.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/CaseFold.h"
#include "common/Text.h"
#include "common/Utf8.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace find {
namespace {


}  // namespace

std::string FoldedForMatching(std::initializer_list<std::string_view> partsUtf8) {
    size_t size = 0;
    for (std::string_view part : partsUtf8) size += part.size() + 1;
    std::string out;
    out.reserve(size);
    for (std::string_view part : partsUtf8) {
        if (!out.empty()) out += '\0';
        common::AppendFolded(out, part);
    }
    return out;
}

ClipQuery::ClipQuery(std::string_view typedUtf8) {
    std::string folded = Folded(typedUtf8);
    size_t start = 0;
    for (size_t i = 0; i <= folded.size();) {
        auto [c, n] = i < folded.size() ? common::DecodeUtf8(folded, i) : common::Utf8Character{0, 1};
        if (i == folded.size() || common::IsWordBreak(c)) {
            if (i > start) words_.emplace_back(folded, start, i - start);
            start = i + n;
        }
        i += n;
    }
    std::stable_sort(words_.begin(), words_.end(), [](const std::string& a, const std::string& b) {
        return a.size() > b.size();
    });
}

bool ClipQuery::Matches(std::string_view folded) const noexcept {
    for (const std::string& word : words_)
        if (!Contains(folded, word)) return false;
    return true;
}

uint64_t QuickHash(std::string_view bytes, uint64_t seed) noexcept {
    constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    uint64_t hash = seed ^ (bytes.size() * kMultiplier);
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        hash = (hash ^ word) * kMultiplier;
        hash ^= hash >> 29;
    }
    for (; i < bytes.size(); ++i) hash = (hash ^ static_cast<unsigned char>(bytes[i])) * kMultiplier;
    return hash ^ (hash >> 32);
}

bool Contains(std::string_view haystack, std::string_view needle) noexcept {
    size_t n = needle.size();
    if (n == 0) return true;
    if (n > haystack.size()) return false;
    const char* h = haystack.data();
    size_t last = haystack.size() - n;  // the last position a match can start at
    size_t i = 0;
#if defined(__SSE2__)
    // Sixteen positions at a time: those whose first and last bytes both
    // match the needle's are compared in full (the library's memchr is a
    // byte loop on some systems, Wine among them).
    const __m128i first = _mm_set1_epi8(needle[0]), final = _mm_set1_epi8(needle[n - 1]);
    for (; i + 16 <= last + 1; i += 16) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + n - 1));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, final))));
        while (mask) {
            unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
            if (n <= 2 || std::memcmp(h + i + bit + 1, needle.data() + 1, n - 2) == 0) return true;
            mask &= mask - 1;
        }
    }
#endif
    for (; i <= last; ++i)
        if (h[i] == needle[0] && h[i + n - 1] == needle[n - 1] &&
            (n <= 2 || std::memcmp(h + i + 1, needle.data() + 1, n - 2) == 0))
            return true;
    return false;
}

}  // namespace find
