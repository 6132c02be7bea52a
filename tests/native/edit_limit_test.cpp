// The one-line, byte-limited edit: what a change may insert.
#include <gtest/gtest.h>

#include "toolkit/EditLimit.h"

using toolkit::LimitEditChange;

namespace {
// The text left after changing `before` into `after` in an edit of `maxBytes`.
std::u16string Kept(std::u16string_view before, std::u16string_view after, size_t maxBytes) {
    auto limited = LimitEditChange(before, after, maxBytes);
    return limited ? limited->text : std::u16string(after);
}
}  // namespace

TEST(EditLimit, InsertionsKeepTheirFirstLineAndWholeCharactersThatFit) {
    EXPECT_EQ(Kept(u"", u"abc", 3), u"abc");
    EXPECT_EQ(Kept(u"abc", u"abcd", 3), u"abc");
    // A Chinese character counts two bytes and is never split.
    EXPECT_EQ(Kept(u"a", u"a一二三", 6), u"a一二");
    EXPECT_EQ(Kept(u"ab", u"a一二b", 5), u"a一b");  // inserted in the middle: the end stays
    EXPECT_EQ(Kept(u"", u"first\r\nsecond", 20), u"first");
    EXPECT_EQ(Kept(u"x", u"x\nsecond", 20), u"x");

    auto limited = LimitEditChange(u"ab", u"a12345b", 4);
    ASSERT_TRUE(limited);
    EXPECT_EQ(limited->text, u"a12b");
    EXPECT_EQ(limited->caret, 3u);  // after what was kept of the insertion
}

TEST(EditLimit, ALongerTextAlreadyThereStaysAndMayShrinkButNotGrow) {
    const std::u16string longer = u"a caption of 25 bytes....";
    EXPECT_FALSE(LimitEditChange(longer, longer, 20));
    EXPECT_FALSE(LimitEditChange(longer, u"a caption of 25 bytes...", 20));  // removing is always allowed
    EXPECT_EQ(Kept(longer, u"a caption of 25 bytes.....", 20), longer);
    EXPECT_EQ(Kept(longer, u"new", 20), u"new");  // all replaced: the new text counts alone
}
