// The one UTF-8 decoder's rule for broken input and the bounds of the little-endian reader.
#include <gtest/gtest.h>

#include <vector>

#include "common/CodePage.h"
#include "common/LittleEndian.h"

TEST(Utf8Decoding, ABrokenSequenceIsOneReplacementAndDecodingGoesOn) {
    const std::pair<std::string, std::u16string> cases[] = {
        {"a\x80" "b", u"a\uFFFDb"},                // a stray continuation byte
        {"\xE4\xB8" "a", u"\uFFFDa"},              // a lead byte short of its last continuation
        {"\xC0\xAF", u"\uFFFD\uFFFD"},             // an overlong form: no valid start at all
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},   // a surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xF0\x9F\x98\x80\xE4\xB8\xAD", u"\U0001F600\u4E2D"},
    };
    for (const auto& [utf8, wide] : cases) EXPECT_EQ(common::Utf8ToUtf16(utf8), wide) << utf8;
    // A lead byte at the very end of a block on the heap: nothing past it is read.
    std::vector<char> block = {'x', '\xF0', '\x9F'};
    EXPECT_EQ(common::Utf8ToUtf16({block.data(), block.size()}), u"x\uFFFD");
}

TEST(LittleEndian, ReadsWithinTheBlockOnly) {
    const std::vector<uint8_t> bytes = {0x01, 0x02, 0x03, 0x04, 0x05};
    EXPECT_EQ(common::ReadLe32(bytes, 1), 0x05040302u);
    EXPECT_EQ(common::ReadLe16(bytes, 3), 0x0504u);
    EXPECT_EQ(common::ReadLe32(bytes, 2), std::nullopt);
    EXPECT_EQ(common::ReadLe16(bytes, 6), std::nullopt);
}
