#include "history/Collation_win.h"

#include <windows.h>

#include <climits>
#include <memory>
#include <optional>
#include <string>

#include "common/CodePage.h"
#include "common/Wide_win.h"
#include "history/ContentHash.h"

namespace history {
namespace {

// Entries of deleted or changed clips are dropped wholesale past this many.
constexpr size_t kMaxEntries = 4096;
// Sort keys end their primary weights with this byte (no weight uses it).
constexpr char kLevelSeparator = '\x01';

DWORD Flags(bool ignoreCase) { return ignoreCase ? NORM_IGNORECASE : 0; }

// The sort key of `text`; nothing when it can't be made.
std::optional<std::string> SortKey(std::string_view text, bool ignoreCase) {
    if (text.empty() || text.size() > INT_MAX / 4) return std::nullopt;
    const DWORD flags = LCMAP_SORTKEY | Flags(ignoreCase);
    const std::wstring wide = common::Wide(text);
    const int length = static_cast<int>(wide.size());
    // Keys run to about four bytes per character: a roomy first guess spares
    // a second pass over long texts. For a sort key the W call writes bytes
    // and counts its room in bytes.
    std::string key(wide.size() * 6 + 64, '\0');
    int written = LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.c_str(), length, reinterpret_cast<LPWSTR>(key.data()), static_cast<int>(key.size()));
    if (written <= 0) {
        int needed = LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.c_str(), length, nullptr, 0);
        if (needed <= 0) return std::nullopt;
        key.resize(static_cast<size_t>(needed));
        written = LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.c_str(), length, reinterpret_cast<LPWSTR>(key.data()), needed);
        if (written <= 0) return std::nullopt;
    }
    key.resize(static_cast<size_t>(written));
    return key;
}

std::string_view PrimaryWeights(std::string_view key) { return key.substr(0, key.find(kLevelSeparator)); }

// Hashes are never kUnknown.
uint64_t Known(uint64_t hash) { return hash == CollationSummary::kUnknown ? 1 : hash; }

// The longest run of whole characters from the start within `limit` bytes.
size_t PrefixEnd(std::string_view text, size_t limit) {
    size_t i = 0;
    while (i < text.size()) {
        size_t step = common::CharacterLength(text, i);
        if (i + step > limit) break;
        i += step;
    }
    return i;
}

// Where a character starts within the last `limit` bytes: right after an
// ASCII byte, which sorts on its own, unlike a combining mark that follows
// its base. Nothing when there is no such byte there.
std::optional<size_t> SuffixStart(std::string_view text, size_t limit) {
    for (size_t i = text.size() - limit; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) < 0x40) return i + 1;
    return std::nullopt;
}

CollationSummary SummaryOfWholeKey(std::string_view text, bool ignoreCase) {
    CollationSummary s;
    std::optional<std::string> key = SortKey(text, ignoreCase);
    if (!key) return s;  // nothing known: only CompareStringA can tell
    std::string_view primary = PrimaryWeights(*key);
    s.exact = true;
    s.primaryBytes = primary.size();
    s.whole = Known(ContentHash(*key));
    if (primary.size() >= CollationCache::kEdgeWeights) {
        s.head = Known(ContentHash(primary.substr(0, CollationCache::kEdgeWeights)));
        s.tail = Known(ContentHash(primary.substr(primary.size() - CollationCache::kEdgeWeights)));
    }
    return s;
}

// For a long text, from the keys of its two edges alone: all but the last
// kContextMargin primary bytes of the first edge's key begin the whole key's,
// and all but the first kContextMargin of the last edge's key end it.
CollationSummary SummaryOfEdges(std::string_view text, bool ignoreCase) {
    constexpr size_t kEdge = CollationCache::kEdgeBytes, kWeights = CollationCache::kEdgeWeights,
                     kMargin = CollationCache::kContextMargin;
    CollationSummary s;
    if (std::optional<std::string> key = SortKey(text.substr(0, PrefixEnd(text, kEdge)), ignoreCase)) {
        std::string_view primary = PrimaryWeights(*key);
        if (primary.size() >= kWeights + kMargin) {
            s.head = Known(ContentHash(primary.substr(0, kWeights)));
            s.primaryBytes += primary.size() - kMargin;
        }
    }
    if (std::optional<size_t> start = SuffixStart(text, kEdge)) {
        if (std::optional<std::string> key = SortKey(text.substr(*start), ignoreCase)) {
            std::string_view primary = PrimaryWeights(*key);
            if (primary.size() >= kWeights + kMargin) {
                s.tail = Known(ContentHash(primary.substr(primary.size() - kWeights)));
                s.primaryBytes += primary.size() - kMargin;
            }
        }
    }
    return s;
}

bool IsLong(std::string_view text) { return text.size() > 2 * CollationCache::kEdgeBytes; }

// False when the summaries prove the texts different.
bool MayBeEqual(const CollationSummary& a, const CollationSummary& b) {
    if (a.exact && b.exact && a.primaryBytes != b.primaryBytes) return false;
    if (a.exact && !b.exact && b.primaryBytes > a.primaryBytes) return false;
    if (!a.exact && b.exact && a.primaryBytes > b.primaryBytes) return false;
    if (a.head != CollationSummary::kUnknown && b.head != CollationSummary::kUnknown && a.head != b.head) return false;
    if (a.tail != CollationSummary::kUnknown && b.tail != CollationSummary::kUnknown && a.tail != b.tail) return false;
    return true;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b, bool ignoreCase) {
    if (a.size() > INT_MAX || b.size() > INT_MAX) return a == b;
    const std::wstring wa = common::Wide(a), wb = common::Wide(b);
    return CompareStringW(LOCALE_USER_DEFAULT, Flags(ignoreCase), wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                          static_cast<int>(wb.size())) == CSTR_EQUAL;
}

CollationSummary CollationCache::Summary(std::string_view text, bool ignoreCase) {
    // A long text is found by its edges, which are all its summary depends on.
    bool isLong = IsLong(text);
    uint64_t hash = isLong ? ContentHash(text.substr(0, kEdgeBytes)) ^ (ContentHash(text.substr(text.size() - kEdgeBytes)) * 3)
                           : ContentHash(text);
    Key key{hash, text.size(), ignoreCase};
    if (auto it = summaries_.find(key); it != summaries_.end()) return it->second;
    if (summaries_.size() >= kMaxEntries) summaries_.clear();
    CollationSummary summary = isLong ? SummaryOfEdges(text, ignoreCase) : SummaryOfWholeKey(text, ignoreCase);
    summaries_.emplace(key, summary);
    return summary;
}

uint64_t CollationCache::WholeKeyHash(std::string_view text, bool ignoreCase) {
    Key key{ContentHash(text), text.size(), ignoreCase};
    if (auto it = wholes_.find(key); it != wholes_.end()) return it->second;
    if (wholes_.size() >= kMaxEntries) wholes_.clear();
    std::optional<std::string> sortKey = SortKey(text, ignoreCase);
    uint64_t whole = sortKey ? Known(ContentHash(*sortKey)) : CollationSummary::kUnknown;
    wholes_.emplace(key, whole);
    return whole;
}

TextMatcher::TextMatcher(CollationCache& cache, std::string_view data, bool ignoreCase)
    : cache_(cache), data_(data), ignoreCase_(ignoreCase), summary_(cache.Summary(data, ignoreCase)) {}

bool TextMatcher::Matches(std::string_view other) {
    CollationSummary summary = cache_.Summary(other, ignoreCase_);
    if (!MayBeEqual(summary_, summary)) return false;
    if (other == data_) return true;  // identical bytes always compare equal
    // Everything cheap agrees: the whole keys, then the platform decides.
    if (!haveWhole_) {
        whole_ = summary_.whole != CollationSummary::kUnknown ? summary_.whole : cache_.WholeKeyHash(data_, ignoreCase_);
        haveWhole_ = true;
    }
    uint64_t otherWhole = summary.whole != CollationSummary::kUnknown ? summary.whole : cache_.WholeKeyHash(other, ignoreCase_);
    if (whole_ != CollationSummary::kUnknown && otherWhole != CollationSummary::kUnknown && whole_ != otherWhole)
        return false;
    return SameText(data_, other, ignoreCase_);
}

}  // namespace history
