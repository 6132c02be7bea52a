#pragma once
// Equality of clip data as the user's locale sees it: CompareStringA with the
// user's default locale over both full lengths returns CSTR_EQUAL.
//
// CompareStringA costs time in proportion to how long two texts run alike, and
// a capture compares the new data with every clip of its kind. Texts that
// compare equal have equal sort keys, so each text's sort key is summarised
// once (cached by content) and CompareStringA is asked only about texts whose
// summaries agree. Identical bytes are equal without asking.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace history {

class CollationCache {
public:
    // A summary of the sort key of `text`; equal texts give equal summaries.
    uint64_t SortKeySummary(std::string_view text, uint64_t contentHash, bool ignoreCase);
    size_t Size() const noexcept { return summaries_.size(); }

private:
    struct Key {
        uint64_t contentHash;
        size_t size;
        bool ignoreCase;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const noexcept { return static_cast<size_t>(k.contentHash ^ k.ignoreCase); }
    };
    std::unordered_map<Key, uint64_t, KeyHash> summaries_;
};

// Compares one piece of new data with a run of clips.
class TextMatcher {
public:
    TextMatcher(CollationCache& cache, std::string_view data, bool ignoreCase);
    bool Matches(std::string_view other);

private:
    CollationCache& cache_;
    std::string_view data_;
    bool ignoreCase_;
    uint64_t hash_;
    bool haveSummary_ = false;
    uint64_t summary_ = 0;
};

// The plain platform comparison, without the cache.
bool SameText(std::string_view a, std::string_view b, bool ignoreCase);

}  // namespace history
