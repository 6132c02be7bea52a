// Duplicate detection: the cached sort-key summaries never disagree with
// CompareStringA, and each kind compares its own data.
#include <gtest/gtest.h>

#include <string>

#include "HistoryFixture.h"
#include "history/Collation_win.h"

using namespace clips;

TEST(Collation, TheCachedMatchAgreesWithCompareString) {
    const char* pairs[][2] = {
        {"same", "same"},
        {"Case", "case"},
        {"name \xC0\xC9", "name \xFD\x9C"},  // unified and compatibility form of one ideograph
        {"`", "\xA8\x41"},
        {"co-op", "coop"},
        {"\xA3\xC1", "A"},  // full-width and ASCII letter
        {"abc", "abd"},
        {"", ""},
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
    history::TextMatcher matcher(cache, "Case", true);
    EXPECT_TRUE(matcher.Matches("CASE"));
    history::TextMatcher exact(cache, "Case", false);
    EXPECT_FALSE(exact.Matches("CASE"));
}

using DuplicatesTest = HistoryFixture;

TEST_F(DuplicatesTest, EachKindComparesItsOwnDataAndSomeAreNeverSearched) {
    CopyText("http://example.com");
    for (int kind : {kImage, kWave, kLinkText}) EXPECT_FALSE(history->FindDuplicate("http://example.com", kind));
    EXPECT_TRUE(history->FindDuplicate("http://example.com", kPlainText));
    Copy({testing_support::Text(CF_TEXT, "words"), testing_support::Text(RichTextFormat, "{\\rtf1 words}")});
    EXPECT_TRUE(history->FindDuplicate("{\\rtf1 words}", kRichText));
    EXPECT_FALSE(history->FindDuplicate("words", kRichText));
    EXPECT_FALSE(history->FindDuplicate("{\\rtf1 words}", kHtml));
    common::settings().NoDuplicatedEntries = false;
    EXPECT_FALSE(history->FindDuplicate("{\\rtf1 words}", kRichText));
}
