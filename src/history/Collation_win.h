#pragma once
// Equality of clip data as the user's locale sees it: CompareStringA with the
// user's default locale over both full lengths returns CSTR_EQUAL.
//
// CompareStringA costs time in proportion to how long two texts run alike,
// and a capture compares the new data with every clip of its kind. Texts that
// compare equal have equal sort keys, so each text is first summarised by
// what its sort key must hold, cached by content, and CompareStringA is asked
// only about texts whose summaries agree:
// - the length of the key's primary weights, and their first and last
//   kEdgeWeights bytes;
// - for a long text these come from the sort keys of its first and last
//   kEdgeBytes only (a character's primary weights depend on its neighbours
//   at most, so all but kContextMargin bytes at each cut are those of the
//   whole key), and the cache finds them by those edges: no capture reads a
//   long clip whole, and a megabyte of new text costs two small sort keys;
// - the hash of the whole sort key, made only when everything else agrees.
// Identical bytes are equal without asking.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace history {

// What is known of one text's sort key.
struct CollationSummary {
    static constexpr uint64_t kUnknown = 0;
    uint64_t head = kUnknown;     // hash of the first kEdgeWeights bytes of the primary weights
    uint64_t tail = kUnknown;     // hash of the last kEdgeWeights bytes
    size_t primaryBytes = 0;      // the primary weights' length, or a lower bound of it
    bool exact = false;           // primaryBytes is the length itself
    uint64_t whole = kUnknown;    // hash of the whole key (short texts only; see WholeKeyHash)
};

class CollationCache {
public:
    static constexpr size_t kEdgeBytes = 256;
    static constexpr size_t kEdgeWeights = 64;
    static constexpr size_t kContextMargin = 64;

    CollationSummary Summary(std::string_view text, bool ignoreCase);
    // The hash of the whole sort key (kUnknown when it can't be made).
    uint64_t WholeKeyHash(std::string_view text, bool ignoreCase);

private:
    struct Key {
        uint64_t hash;  // of the whole text when short, else of its two edges
        size_t size;
        bool ignoreCase;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const noexcept { return static_cast<size_t>(k.hash ^ k.ignoreCase); }
    };
    std::unordered_map<Key, CollationSummary, KeyHash> summaries_;
    std::unordered_map<Key, uint64_t, KeyHash> wholes_;
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
    CollationSummary summary_;
    uint64_t whole_ = CollationSummary::kUnknown;
    bool haveWhole_ = false;
};

// The plain platform comparison, without the cache.
bool SameText(std::string_view a, std::string_view b, bool ignoreCase);

}  // namespace history
