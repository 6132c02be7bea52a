// The BMP file layout: what the writer produces, what the reader accepts and
// what it refuses.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <set>

#include "toolkit/BmpFile.h"

using namespace toolkit;

namespace {

// An image whose every byte differs from its neighbours, padding included
// (the reader must keep padding bytes as they are).
BmpImage MakeImage(int32_t width, int32_t height, uint16_t bits, size_t colors = 0) {
    BmpImage image;
    image.format.width = width;
    image.format.height = height;
    image.format.bitsPerPixel = bits;
    for (size_t i = 0; i < colors; ++i) {
        auto v = static_cast<uint8_t>(i * 7);
        image.format.colors.push_back({v, static_cast<uint8_t>(255 - v), static_cast<uint8_t>(i), 0});
    }
    if (bits == 16) image.format.masks = {0xF800, 0x07E0, 0x001F};
    image.pixels.resize(BmpRowStride(width, bits) * static_cast<size_t>(height));
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>(i * 31 + 5);
    return image;
}

uint32_t Get32(const std::vector<uint8_t>& d, size_t at) {
    uint32_t v;
    std::memcpy(&v, d.data() + at, 4);
    return v;
}
void Set32(std::vector<uint8_t>& d, size_t at, uint32_t v) { std::memcpy(d.data() + at, &v, 4); }
void Set16(std::vector<uint8_t>& d, size_t at, uint16_t v) { std::memcpy(d.data() + at, &v, 2); }

std::vector<uint8_t> Write(const BmpImage& image) { return WriteBmp(image); }

// The reason `body` was refused for; nothing when it went through.
std::optional<BmpProblem> RefusalOf(const std::function<void()>& body) {
    try {
        body();
    } catch (const BmpError& error) {
        return error.Reason();
    }
    return std::nullopt;
}

}  // namespace

TEST(BmpFile, EveryDepthRoundTripsWithItsTableAndPadding) {
    const struct {
        uint16_t bits;
        int32_t width;
        size_t colors;
    } cases[] = {{1, 13, 2}, {4, 7, 16}, {4, 5, 3}, {8, 5, 256}, {8, 3, 10},
                 {16, 3, 0}, {24, 5, 0}, {24, 2, 4}, {32, 3, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, width " << c.width << ", " << c.colors << " colours");
        BmpImage image = MakeImage(c.width, 3, c.bits, c.colors);
        std::vector<uint8_t> file = Write(image);
        bool masks = c.bits == 16 || c.bits == 32;
        size_t offset = 14 + 40 + (masks ? 12 : 0) + c.colors * 4;
        ASSERT_EQ(file.size(), offset + image.pixels.size());
        EXPECT_EQ(std::string(file.begin(), file.begin() + 2), "BM");
        // File size, reserved, pixel offset, header size; compression (bit fields or none).
        EXPECT_EQ((std::vector{Get32(file, 2), Get32(file, 6), Get32(file, 10), Get32(file, 14), Get32(file, 30)}),
                  (std::vector<uint32_t>{uint32_t(file.size()), 0, uint32_t(offset), 40, masks ? 3u : 0u}));
        EXPECT_EQ(std::memcmp(file.data() + offset, image.pixels.data(), image.pixels.size()), 0);

        BmpImage back = ReadBmp(file);
        BmpFormat expected = image.format;
        if (c.bits == 32) expected.masks = DefaultMasks(32);  // none named: the writer fills in 8-8-8
        EXPECT_EQ(back.format, expected);
        EXPECT_EQ(back.pixels, image.pixels);
    }
}

TEST(BmpReader, AColourCountOfZeroMeansAFullTable) {
    BmpImage image = MakeImage(4, 2, 4, 16);
    std::vector<uint8_t> file = Write(image);
    Set32(file, 46, 0);
    EXPECT_EQ(ReadBmp(file).format.colors, image.format.colors);
}

TEST(BmpReader, RefusesDamagedHeadersWithAReason) {
    using P = BmpProblem;
    const struct {
        BmpProblem reason;
        std::function<void(std::vector<uint8_t>&)> damage;
    } cases[] = {
        {P::TooShortForFileHeader, [](auto& f) { f.resize(14); }},
        {P::NotBmp, [](auto& f) { f[1] = 'A'; }},
        {P::DeclaredSizeBeyondData, [](auto& f) { Set32(f, 2, static_cast<uint32_t>(f.size() + 1)); }},
        {P::PixelOffsetBeyondData, [](auto& f) { Set32(f, 10, static_cast<uint32_t>(f.size())); }},
        {P::PixelOffsetIntoHeaders, [](auto& f) { Set32(f, 10, 20); }},
        {P::UnsupportedInfoHeader, [](auto& f) { Set32(f, 14, 12); }},
        {P::InfoHeaderCutShort, [](auto& f) { Set32(f, 2, 0); Set32(f, 10, 20); f.resize(40); }},
        {P::BadWidth, [](auto& f) { Set32(f, 18, 0); }},
        {P::BadHeight, [](auto& f) { Set32(f, 22, 0x80000000u); }},
        {P::BadPlanes, [](auto& f) { Set16(f, 26, 2); }},
        {P::UnsupportedDepth, [](auto& f) { Set16(f, 28, 12); }},
        {P::UnsupportedCompression, [](auto& f) { Set32(f, 30, 1); }},
        {P::ColorTableTooLarge, [](auto& f) { Set32(f, 46, 257); }},
        {P::ColorTableCutShort, [](auto& f) { Set32(f, 46, 256); }},
        {P::PixelsCutShort, [](auto& f) { Set32(f, 22, 4); }},
        {P::PixelsCutShort, [](auto& f) { Set32(f, 2, 0); f.pop_back(); }},
        {P::PixelsCutShort, [](auto& f) { Set32(f, 18, 0x7FFFFFFF); Set32(f, 22, 0x7FFFFFFF); }},
        {P::PixelsCutShort, [](auto& f) { Set16(f, 28, 32); Set32(f, 18, 0x7FFFFFFF); Set32(f, 22, 0x7FFFFFFF); }},
    };
    // Every damage is done to a valid 5 x 3, 8-bit file with 4 colours.
    const std::vector<uint8_t> valid = Write(MakeImage(5, 3, 8, 4));
    ASSERT_EQ(RefusalOf([&] { ReadBmp(valid); }), std::nullopt);
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::vector<uint8_t> file = valid;
        cases[i].damage(file);
        EXPECT_EQ(RefusalOf([&] { ReadBmp(file); }), cases[i].reason) << "case " << i;
    }
}

TEST(BmpReader, NeverReadsBeyondAnyPrefixOfAFile) {
    // Under AddressSanitizer: every prefix of a valid file is read from an
    // exact-size copy, so a read one byte too far would be caught.
    std::vector<uint8_t> file = Write(MakeImage(3, 2, 16));
    Set32(file, 2, 0);  // a zero file size is tolerated, so the later checks are reached
    for (size_t n = 0; n < file.size(); ++n) {
        std::vector<uint8_t> prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_THROW(ReadBmp(prefix), BmpError) << n;
    }
}

TEST(BmpReader, APackedDibIsAFileWithoutItsFileHeaderAndIsReadAsStrictly) {
    // CF_DIB and CF_DIBV5 blocks: the pixels follow the masks and colour table.
    for (uint16_t bits : {8, 16, 24}) {
        SCOPED_TRACE(bits);
        BmpImage image = MakeImage(5, 3, bits, bits == 8 ? 4 : 0);
        std::vector<uint8_t> file = Write(image);
        std::vector<uint8_t> dib(file.begin() + 14, file.end());
        BmpView view = ParseDib(dib);
        EXPECT_EQ(view.format, image.format);
        EXPECT_EQ(std::vector<uint8_t>(view.pixels.begin(), view.pixels.end()), image.pixels);
        // Every prefix is refused, reading nothing beyond it (AddressSanitizer watches).
        for (size_t n = 0; n < dib.size(); ++n) {
            std::vector<uint8_t> prefix(dib.begin(), dib.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_THROW(ParseDib(prefix), BmpError) << n;
        }
    }
}

TEST(BmpFile, EachReasonHasATextOfItsOwnForTheUser) {
    // The texts reach message boxes: Chinese, never a library's English sentence.
    std::set<std::string> texts;
    for (int i = 0; i < kBmpProblemCount; ++i) {
        std::string text = BmpProblemText(static_cast<BmpProblem>(i));
        EXPECT_TRUE(texts.insert(text).second) << i;
        EXPECT_EQ(text.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos) << i;
        EXPECT_EQ(static_cast<unsigned char>(text[0]) & 0x80, 0x80) << i;  // begins with a double-byte character
    }
}

TEST(BmpWriter, RefusesWhatItCannotWriteWithAReason) {
    using P = BmpProblem;
    BmpImage image = MakeImage(5, 3, 8, 4);
    auto refusal = [&](auto change) {
        BmpImage changed = image;
        change(changed);
        return RefusalOf([&] { WriteBmp(changed); });
    };
    EXPECT_EQ(refusal([](BmpImage& i) { i.format.width = 0; }), P::BadSize);
    EXPECT_EQ(refusal([](BmpImage& i) { i.format.bitsPerPixel = 12; }), P::UnsupportedDepth);
    EXPECT_EQ(refusal([](BmpImage& i) { i.format.colors.clear(); }), P::ColorTableMissing);
    EXPECT_EQ(refusal([](BmpImage& i) { i.format.colors.resize(257); }), P::ColorTableTooLarge);
    EXPECT_EQ(refusal([](BmpImage& i) { i.pixels.pop_back(); }), P::PixelBufferSize);
}
