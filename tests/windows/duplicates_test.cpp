// Duplicate detection: the cached sort-key summaries never disagree with
// CompareStringW. (The capture tests check which clips count as duplicates.)
#include <gtest/gtest.h>

#include <string>

#include "history/Collation_win.h"

namespace {
// A long text (more than two edges of the summary) with `start` and `end` around it.
std::string Long(const std::string& start, const std::string& end, char filler = 'x') {
    return start + std::string(3 * history::CollationCache::kEdgeBytes, filler) + "\r\n" + end;
}
}  // namespace

TEST(Collation, TheCachedMatchAgreesWithCompareString) {
    const std::string unified = "\u90CE", compatible = "\uF92C";  // two forms of one ideograph
    const std::string repeat = "々";                               // an iteration mark: weighs as the one before
    std::string ideographs;                                       // no ASCII byte in the last edge
    while (ideographs.size() < 2 * history::CollationCache::kEdgeBytes) ideographs += "种";
    const std::string pairs[][2] = {
        {"same", "same"},
        {"Case", "case"},
        {"name " + unified, "name " + compatible},
        {"co-op", "coop"},
        {"Ａ", "A"},  // full-width and ASCII letter
        {"é", "e\u0301"},  // a letter and the same with a combining accent
        {"한국어 😀", "한국어 😀"}, {"😀", "😁"},
        {"abc", "abd"},
        {"", "x"},
        {"line\r\nbreak", "line break"},
        // Long texts, summarised by their edges alone.
        {Long(unified + "head", "tail" + unified), Long(compatible + "head", "tail" + compatible)},
        {Long("head", "tail"), Long("head", "tail", 'y')},       // they differ only in the middle
        {Long("head", "tail"), Long("Head", "tail")},           // in letter case at the start
        {Long("head", "tail"), Long("head", "tail.")},          // by a last character
        {Long("head", "tail"), "head tail"},                    // long and short
        {Long("", "中" + repeat + "tail"), Long("", "中中tail")},
        {Long("", ideographs), Long("", ideographs)},           // no byte to cut the last edge at
        {Long("", ideographs + "."), Long("", ideographs + ",")},
    };
    history::CollationCache cache;
    for (bool ignoreCase : {false, true}) {
        for (const auto& pair : pairs) {
            history::TextMatcher matcher(cache, pair[0], ignoreCase);
            EXPECT_EQ(matcher.Matches(pair[1]), history::SameText(pair[0], pair[1], ignoreCase))
                << pair[0].substr(0, 40) << " / " << pair[1].substr(0, 40) << (ignoreCase ? " ignoring case" : "");
            EXPECT_EQ(matcher.Matches(pair[1]), matcher.Matches(pair[1]));  // cached answers stay the same
        }
    }
}
