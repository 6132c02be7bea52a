// The BMP file layout: what the writer produces, what the reader accepts and
// what it refuses.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

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

std::vector<uint8_t> Write(const BmpImage& image) {
    auto file = WriteBmp(image);
    EXPECT_TRUE(file.ok()) << file.error();
    return file.ok() ? file.value() : std::vector<uint8_t>{};
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

        auto back = ReadBmp(file);
        ASSERT_TRUE(back.ok()) << back.error();
        BmpFormat expected = image.format;
        if (c.bits == 32) expected.masks = DefaultMasks(32);  // none named: the writer fills in 8-8-8
        EXPECT_EQ(back.value().format, expected);
        EXPECT_EQ(back.value().pixels, image.pixels);
    }
}

TEST(BmpReader, AColourCountOfZeroMeansAFullTable) {
    BmpImage image = MakeImage(4, 2, 4, 16);
    std::vector<uint8_t> file = Write(image);
    Set32(file, 46, 0);
    auto back = ReadBmp(file);
    ASSERT_TRUE(back.ok()) << back.error();
    EXPECT_EQ(back.value().format.colors, image.format.colors);
}

TEST(BmpReader, RefusesDamagedHeadersWithAReason) {
    const struct {
        const char* message;  // a fragment of the expected error
        std::function<void(std::vector<uint8_t>&)> damage;
    } cases[] = {
        {"too short", [](auto& f) { f.resize(14); }},
        {"\"BM\"", [](auto& f) { f[1] = 'A'; }},
        {"declares", [](auto& f) { Set32(f, 2, static_cast<uint32_t>(f.size() + 1)); }},
        {"beyond", [](auto& f) { Set32(f, 10, static_cast<uint32_t>(f.size())); }},
        {"points into the headers", [](auto& f) { Set32(f, 10, 20); }},
        {"information header of 12", [](auto& f) { Set32(f, 14, 12); }},
        {"cut short", [](auto& f) { Set32(f, 2, 0); Set32(f, 10, 20); f.resize(40); }},
        {"width 0", [](auto& f) { Set32(f, 18, 0); }},
        {"height", [](auto& f) { Set32(f, 22, 0x80000000u); }},
        {"planes", [](auto& f) { Set16(f, 26, 2); }},
        {"12 bits", [](auto& f) { Set16(f, 28, 12); }},
        {"compression 1", [](auto& f) { Set32(f, 30, 1); }},
        {"257 entries", [](auto& f) { Set32(f, 46, 257); }},
        {"colour table is cut short", [](auto& f) { Set32(f, 46, 256); }},
        {"pixel rows need", [](auto& f) { Set32(f, 22, 4); }},
        {"pixel rows need", [](auto& f) { Set32(f, 2, 0); f.pop_back(); }},
        {"pixel rows need", [](auto& f) { Set32(f, 18, 0x7FFFFFFF); Set32(f, 22, 0x7FFFFFFF); }},
        {"pixel rows need", [](auto& f) { Set16(f, 28, 32); Set32(f, 18, 0x7FFFFFFF); Set32(f, 22, 0x7FFFFFFF); }},
    };
    // Every damage is done to a valid 5 x 3, 8-bit file with 4 colours.
    const std::vector<uint8_t> valid = Write(MakeImage(5, 3, 8, 4));
    ASSERT_TRUE(ReadBmp(valid).ok());
    for (size_t i = 0; i < std::size(cases); ++i) {
        std::vector<uint8_t> file = valid;
        cases[i].damage(file);
        auto result = ReadBmp(file);
        ASSERT_FALSE(result.ok()) << "case " << i;
        EXPECT_NE(result.error().find(cases[i].message), std::string::npos) << "case " << i << ": " << result.error();
    }
}

TEST(BmpReader, NeverReadsBeyondAnyPrefixOfAFile) {
    // Under AddressSanitizer: every prefix of a valid file is read from an
    // exact-size copy, so a read one byte too far would be caught.
    std::vector<uint8_t> file = Write(MakeImage(3, 2, 16));
    Set32(file, 2, 0);  // a zero file size is tolerated, so the later checks are reached
    for (size_t n = 0; n < file.size(); ++n) {
        std::vector<uint8_t> prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(ReadBmp(prefix).ok()) << n;
    }
}

TEST(BmpReader, APackedDibIsAFileWithoutItsFileHeaderAndIsReadAsStrictly) {
    // CF_DIB and CF_DIBV5 blocks: the pixels follow the masks and colour table.
    for (uint16_t bits : {8, 16, 24}) {
        SCOPED_TRACE(bits);
        BmpImage image = MakeImage(5, 3, bits, bits == 8 ? 4 : 0);
        std::vector<uint8_t> file = Write(image);
        std::vector<uint8_t> dib(file.begin() + 14, file.end());
        auto view = ParseDib(dib);
        ASSERT_TRUE(view.ok()) << view.error();
        EXPECT_EQ(view.value().format, image.format);
        EXPECT_EQ(std::vector<uint8_t>(view.value().pixels.begin(), view.value().pixels.end()), image.pixels);
        // Every prefix is refused, reading nothing beyond it (AddressSanitizer watches).
        for (size_t n = 0; n < dib.size(); ++n) {
            std::vector<uint8_t> prefix(dib.begin(), dib.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_FALSE(ParseDib(prefix).ok()) << n;
        }
    }
}
