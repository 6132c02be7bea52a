// Duplicate detection: the cached sort-key summaries never disagree with
// CompareStringA. (The capture tests check which clips count as duplicates.)
#include <gtest/gtest.h>

#include <string>

#include "history/Collation_win.h"

TEST(Collation, TheCachedMatchAgreesWithCompareString) {
    const char* pairs[][2] = {
        {"same", "same"},
        {"Case", "case"},
        {"name \xC0\xC9", "name \xFD\x9C"},  // unified and compatibility form of one ideograph
        {"co-op", "coop"},
        {"\xA3\xC1", "A"},  // full-width and ASCII letter
        {"abc", "abd"},
        {"", "x"},
        {"line\r\nbreak", "line break"},
    };
    history::CollationCache cache;
    for (bool ignoreCase : {false, true}) {
        for (const auto& pair : pairs) {
            history::TextMatcher matcher(cache, pair[0], ignoreCase);
            EXPECT_EQ(matcher.Matches(pair[1]), history::SameText(pair[0], pair[1], ignoreCase))
                << pair[0] << " / " << pair[1] << (ignoreCase ? " ignoring case" : "");
            EXPECT_EQ(matcher.Matches(pair[1]), matcher.Matches(pair[1]));  // cached answers stay the same
        }
    }
}
