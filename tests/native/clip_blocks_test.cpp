// The byte layouts behind file-list and sound clips: the CF_HDROP block and
// the length of a CF_WAVE block.
#include <gtest/gtest.h>

#include <string>

#include "clips/DropFiles.h"
#include "clips/WaveBlock.h"

using namespace clips;

namespace {
// A DROPFILES header (list at `offset`, wide names or not) followed by `list`.
std::vector<uint8_t> Drop(std::string_view list, uint8_t offset = 20, bool wide = false) {
    std::vector<uint8_t> block(20, 0);
    block[0] = offset;
    block[16] = wide;
    block.insert(block.end(), list.begin(), list.end());
    return block;
}
// The same with `names` as UTF-16 units: the block our clips write.
std::vector<uint8_t> WideDrop(std::u16string_view names) {
    std::vector<uint8_t> block = Drop("", 20, true);
    for (char16_t unit : names) {
        block.push_back(static_cast<uint8_t>(unit & 0xFF));
        block.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return block;
}
using namespace std::string_view_literals;
}  // namespace

TEST(DropFiles, WideNamesEachEndedByZeroThenAFinalZero) {
    std::string list = "C:\\a.txt\r\nC:\\文件夹\\한국어 😀.doc\r\nD:\\c\r\n";
    std::vector<uint8_t> block = BuildDropFiles(list);
    EXPECT_EQ(block, WideDrop(u"C:\\a.txt\0C:\\文件夹\\한국어 😀.doc\0D:\\c\0\0"sv));
    // 20 + 2 (N + 1) bytes, N being the UTF-16 units of the list with each CR LF turned into one 0.
    EXPECT_EQ(block.size(), 20 + 2 * (std::u16string_view(u"C:\\a.txt C:\\文件夹\\한국어 😀.doc D:\\c ").size() + 1));
    EXPECT_EQ(CountDropFiles(block), 3u);

    // Without a final break, or with empty lines, the list still ends properly.
    EXPECT_EQ(BuildDropFiles("a\r\nb"), WideDrop(u"a\0b\0\0"sv));
    EXPECT_EQ(BuildDropFiles("a\r\n\r\nb\r\n"), WideDrop(u"a\0b\0\0"sv));
    EXPECT_EQ(BuildDropFiles(""), WideDrop(u"\0"sv));
    // A lone LF or CR belongs to the name.
    EXPECT_EQ(SplitFileList("a\nb\r\nc\r"), (std::vector<std::string_view>{"a\nb", "c\r"}));
}

TEST(DropFiles, BlocksWhoseListRunsOffTheEndAreIncomplete) {
    EXPECT_EQ(CountDropFiles(Drop("x\0\0"sv)), 1u);
    EXPECT_EQ(CountDropFiles(Drop("\0"sv)), 0u);  // no files at all
    // Wide names end with two zero bytes on a character boundary.
    EXPECT_EQ(CountDropFiles(Drop("x\0\0\0\0\0"sv, 20, true)), 1u);
    for (const auto& block : {std::vector<uint8_t>{}, Drop(""), Drop("x"), Drop("x\0"sv), Drop("x\0\0"sv, 200),
                              Drop("x\0\0"sv, 4), Drop("x\0\0\0\0"sv, 20, true), Drop("\0x\0\0"sv, 20, true)})
        EXPECT_FALSE(CountDropFiles(block)) << block.size();
}

TEST(WaveBlock, LengthIsTheChunkSizePlusEightBoundedByTheBlock) {
    std::vector<uint8_t> block = {'R', 'I', 'F', 'F', 36, 0, 0, 0};
    block.resize(44, 0x55);
    EXPECT_EQ(DeclaredRiffLength(block), 44u);
    EXPECT_EQ(WaveBytesToCopy(block), 44u);
    block.resize(100);  // a block rounded up by the allocator: only the RIFF file is kept
    EXPECT_EQ(WaveBytesToCopy(block), 44u);

    std::vector<uint8_t> longer = {'R', 'I', 'F', 'F', 0xF8, 0xFF, 0xFF, 0xFF};  // declares almost 4 GB
    longer.resize(30);
    EXPECT_EQ(DeclaredRiffLength(longer), 0xFFFFFFF8ull + 8);
    EXPECT_EQ(WaveBytesToCopy(longer), 30u);
    EXPECT_EQ(WaveBytesToCopy(std::span<const uint8_t>(longer.data(), 8)), 8u);
    EXPECT_EQ(WaveBytesToCopy(std::span<const uint8_t>(longer.data(), 7)), std::nullopt);
    EXPECT_EQ(WaveBytesToCopy({}), std::nullopt);
}
