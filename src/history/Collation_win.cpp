#include "history/Collation_win.h"

#include <windows.h>

#include <climits>
#include <memory>
#include <string>

#include "history/ContentHash.h"

namespace history {
namespace {

// Entries of deleted or changed clips are dropped wholesale past this many.
constexpr size_t kMaxEntries = 4096;
// The summary of a text whose sort key could not be made: it matches anything,
// so CompareStringA decides.
constexpr uint64_t kUnknown = 0;

DWORD Flags(bool ignoreCase) { return ignoreCase ? NORM_IGNORECASE : 0; }

// The content hash of the sort key of `text`; kUnknown when the key can't be made.
uint64_t SortKeyHash(std::string_view text, bool ignoreCase) {
    if (text.empty() || text.size() > INT_MAX / 4) return kUnknown;
    const DWORD flags = LCMAP_SORTKEY | Flags(ignoreCase);
    const int length = static_cast<int>(text.size());
    // Keys run to about two bytes per byte of text: a roomy first guess spares
    // a second pass over long texts. Left uninitialised: the platform fills it.
    size_t size = text.size() * 3 + 64;
    std::unique_ptr<char[]> key(new char[size]);
    int written = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, key.get(), static_cast<int>(size));
    if (written <= 0) {
        int needed = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, nullptr, 0);
        if (needed <= 0) return kUnknown;
        key.reset(new char[static_cast<size_t>(needed)]);
        written = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), length, key.get(), needed);
        if (written <= 0) return kUnknown;
    }
    uint64_t hash = ContentHash(std::string_view(key.get(), static_cast<size_t>(written)));
    return hash == kUnknown ? 1 : hash;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b, bool ignoreCase) {
    if (a.size() > INT_MAX || b.size() > INT_MAX) return a == b;
    return CompareStringA(LOCALE_USER_DEFAULT, Flags(ignoreCase), a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

uint64_t CollationCache::SortKeySummary(std::string_view text, uint64_t contentHash, bool ignoreCase) {
    Key key{contentHash, text.size(), ignoreCase};
    if (auto it = summaries_.find(key); it != summaries_.end()) return it->second;
    if (summaries_.size() >= kMaxEntries) summaries_.clear();
    uint64_t summary = SortKeyHash(text, ignoreCase);
    summaries_.emplace(key, summary);
    return summary;
}

TextMatcher::TextMatcher(CollationCache& cache, std::string_view data, bool ignoreCase)
    : cache_(cache), data_(data), ignoreCase_(ignoreCase), hash_(ContentHash(data)) {}

bool TextMatcher::Matches(std::string_view other) {
    if (other == data_) return true;  // identical bytes always compare equal
    if (!haveSummary_) {
        summary_ = cache_.SortKeySummary(data_, hash_, ignoreCase_);
        haveSummary_ = true;
    }
    uint64_t otherSummary = cache_.SortKeySummary(other, ContentHash(other), ignoreCase_);
    if (summary_ != kUnknown && otherSummary != kUnknown && otherSummary != summary_) return false;
    return SameText(data_, other, ignoreCase_);
}

}  // namespace history
