// The byte layouts behind file-list and sound clips: the CF_HDROP block and
// the length of a CF_WAVE block.
#include <gtest/gtest.h>

#include <string>

#include "clips/DropFiles.h"
#include "clips/WaveBlock.h"

using namespace clips;

namespace {
std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }
std::vector<uint8_t> Header(uint32_t offset, uint32_t wide) {
    std::vector<uint8_t> h(20, 0);
    h[0] = static_cast<uint8_t>(offset);
    h[16] = static_cast<uint8_t>(wide);
    return h;
}
std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

TEST(DropFiles, ThreeNamesEachEndedByZeroThenAFinalZero) {
    std::string list = "C:\\a.txt\r\nC:\\文件夹\\b.doc\r\nD:\\c\r\n";
    std::vector<uint8_t> block = BuildDropFiles(list);

    std::string names = "C:\\a.txt";
    names += '\0';
    names += "C:\\文件夹\\b.doc";
    names += '\0';
    names += "D:\\c";
    names += '\0';
    names += '\0';
    EXPECT_EQ(block, Concat(Header(20, 0), Bytes(names)));
    // The block is 20 + L + 1 bytes, L being the list with each CR LF turned into one 0.
    EXPECT_EQ(block.size(), 20 + (list.size() - 3) + 1);
    EXPECT_EQ(CountDropFiles(block), 3u);
}

TEST(DropFiles, ListsWithoutFinalBreakOrWithEmptyLinesStillTerminate) {
    std::string expected = std::string("a") + '\0' + "b" + '\0' + '\0';
    EXPECT_EQ(BuildDropFiles("a\r\nb"), Concat(Header(20, 0), Bytes(expected)));
    EXPECT_EQ(BuildDropFiles("a\r\n\r\nb\r\n"), Concat(Header(20, 0), Bytes(expected)));
    EXPECT_EQ(BuildDropFiles(""), Concat(Header(20, 0), {0}));
    // A lone LF or CR belongs to the name.
    EXPECT_EQ(SplitFileList("a\nb\r\nc\r"), (std::vector<std::string_view>{"a\nb", "c\r"}));
}

TEST(DropFiles, BlocksWhoseListRunsOffTheEndAreIncomplete) {
    std::string ok = std::string("x") + '\0' + '\0';
    EXPECT_EQ(CountDropFiles(Concat(Header(20, 0), Bytes(ok))), 1u);
    EXPECT_EQ(CountDropFiles(Concat(Header(20, 0), {0})), 0u);  // no files at all

    EXPECT_FALSE(CountDropFiles({}));
    EXPECT_FALSE(CountDropFiles(Header(20, 0)));                             // list missing
    EXPECT_FALSE(CountDropFiles(Concat(Header(20, 0), Bytes("x"))));         // name unended
    EXPECT_FALSE(CountDropFiles(Concat(Header(20, 0), {'x', 0})));           // list unended
    EXPECT_FALSE(CountDropFiles(Concat(Header(200, 0), Bytes(ok))));         // offset beyond
    EXPECT_FALSE(CountDropFiles(Concat(Header(4, 0), Bytes(ok))));           // offset in header
    // Wide names end with two zero bytes on a character boundary.
    EXPECT_EQ(CountDropFiles(Concat(Header(20, 1), {'x', 0, 0, 0, 0, 0})), 1u);
    EXPECT_FALSE(CountDropFiles(Concat(Header(20, 1), {'x', 0, 0, 0, 0})));  // half a character
    EXPECT_FALSE(CountDropFiles(Concat(Header(20, 1), {0x00, 'x', 0x00, 0x00})));
}

TEST(WaveBlock, LengthIsTheChunkSizePlusEight) {
    std::vector<uint8_t> block = Bytes("RIFF");
    block.insert(block.end(), {36, 0, 0, 0});
    block.resize(44, 0x55);
    EXPECT_EQ(DeclaredRiffLength(block), 44u);
    EXPECT_EQ(WaveBytesToCopy(block), 44u);

    block.resize(100);  // a block rounded up by the allocator: only the RIFF file is kept
    EXPECT_EQ(WaveBytesToCopy(block), 44u);
}

TEST(WaveBlock, ShortBlocksAreBoundedOrRefused) {
    std::vector<uint8_t> block = Bytes("RIFF");
    block.insert(block.end(), {0xF8, 0xFF, 0xFF, 0xFF});  // declares almost 4 GB
    block.resize(30);
    EXPECT_EQ(DeclaredRiffLength(block), 0xFFFFFFF8ull + 8);
    EXPECT_EQ(WaveBytesToCopy(block), 30u);

    EXPECT_EQ(WaveBytesToCopy(std::span<const uint8_t>(block.data(), 8)), 8u);
    EXPECT_EQ(WaveBytesToCopy(std::span<const uint8_t>(block.data(), 7)), std::nullopt);
    EXPECT_EQ(WaveBytesToCopy({}), std::nullopt);
}
