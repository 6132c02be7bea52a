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

struct DepthCase {
    uint16_t bits;
    int32_t width;
    size_t colors;
};

class BmpRoundTrip : public testing::TestWithParam<DepthCase> {};

TEST_P(BmpRoundTrip, ReadsBackWhatWasWritten) {
    const DepthCase c = GetParam();
    BmpImage image = MakeImage(c.width, 3, c.bits, c.colors);
    std::vector<uint8_t> file = Write(image);

    bool masks = c.bits == 16 || c.bits == 32;
    size_t offset = 14 + 40 + (masks ? 12 : 0) + c.colors * 4;
    ASSERT_EQ(file.size(), offset + image.pixels.size());
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Get32(file, 2), file.size());
    EXPECT_EQ(Get32(file, 6), 0u);
    EXPECT_EQ(Get32(file, 10), offset);
    EXPECT_EQ(Get32(file, 14), 40u);
    EXPECT_EQ(Get32(file, 30), masks ? 3u : 0u);
    EXPECT_EQ(std::memcmp(file.data() + offset, image.pixels.data(), image.pixels.size()), 0);

    auto back = ReadBmp(file);
    ASSERT_TRUE(back.ok()) << back.error();
    BmpFormat expected = image.format;
    if (c.bits == 32) expected.masks = DefaultMasks(32);  // none named: the writer fills in 8-8-8
    EXPECT_EQ(back.value().format, expected);
    EXPECT_EQ(back.value().pixels, image.pixels);
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BmpRoundTrip,
                         testing::Values(DepthCase{1, 13, 2}, DepthCase{4, 7, 16}, DepthCase{4, 5, 3},
                                         DepthCase{8, 5, 256}, DepthCase{8, 3, 10}, DepthCase{16, 3, 0},
                                         DepthCase{24, 5, 0}, DepthCase{24, 2, 4}, DepthCase{32, 3, 0}),
                         [](const auto& info) {
                             return std::to_string(info.param.bits) + "bits_width" +
                                    std::to_string(info.param.width) + "_colors" + std::to_string(info.param.colors);
                         });

TEST(BmpReader, AcceptsWhatOtherWritersLeaveImplicit) {
    BmpImage image = MakeImage(4, 2, 4, 16);
    std::vector<uint8_t> file = Write(image);
    Set32(file, 46, 0);  // biClrUsed 0 means 2^bits entries
    auto back = ReadBmp(file);
    ASSERT_TRUE(back.ok()) << back.error();
    EXPECT_EQ(back.value().format.colors, image.format.colors);

    file = Write(MakeImage(3, 2, 16));
    Set32(file, 30, 0);  // BI_RGB: the masks stay in the file but no longer count
    back = ReadBmp(file);
    ASSERT_TRUE(back.ok()) << back.error();
    EXPECT_EQ(back.value().format.masks, DefaultMasks(16));
}

TEST(BmpReader, TopDownRowsAreTurnedBottomUp) {
    BmpImage image = MakeImage(2, 3, 24);
    std::vector<uint8_t> file = Write(image);
    Set32(file, 22, static_cast<uint32_t>(-3));
    auto back = ReadBmp(file);
    ASSERT_TRUE(back.ok()) << back.error();
    EXPECT_EQ(back.value().format.height, 3);
    size_t stride = BmpRowStride(2, 24);
    for (size_t row = 0; row < 3; ++row) {
        EXPECT_EQ(std::memcmp(back.value().pixels.data() + row * stride, image.pixels.data() + (2 - row) * stride,
                              stride),
                  0);
    }
}

TEST(BmpWriter, RefusesImagesItCannotDescribe) {
    BmpImage noTable = MakeImage(4, 4, 8);
    EXPECT_FALSE(WriteBmp(noTable).ok());
    BmpImage bigTable = MakeImage(4, 4, 1, 3);
    EXPECT_FALSE(WriteBmp(bigTable).ok());
    BmpImage shortPixels = MakeImage(4, 4, 24);
    shortPixels.pixels.pop_back();
    EXPECT_FALSE(WriteBmp(shortPixels).ok());
    BmpImage empty;
    EXPECT_FALSE(WriteBmp(empty).ok());
    BmpImage odd = MakeImage(4, 4, 24);
    odd.format.bitsPerPixel = 12;
    EXPECT_FALSE(WriteBmp(odd).ok());
}

struct Damage {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> apply;
    const char* message;  // a fragment of the expected error
};
void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

// Every damage is applied to a valid 5 x 3, 8-bit file with 4 colours.
class BmpDamage : public testing::TestWithParam<Damage> {};

TEST_P(BmpDamage, IsRefusedWithAReason) {
    std::vector<uint8_t> file = Write(MakeImage(5, 3, 8, 4));
    ASSERT_TRUE(ReadBmp(file).ok());
    GetParam().apply(file);
    auto result = ReadBmp(file);
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().find(GetParam().message), std::string::npos) << result.error();
}

const size_t kPixelOffset = 14 + 40 + 4 * 4;

INSTANTIATE_TEST_SUITE_P(
    Headers, BmpDamage,
    testing::Values(
        Damage{"Empty", [](auto& f) { f.clear(); }, "too short"},
        Damage{"OnlyFileHeader", [](auto& f) { f.resize(14); }, "too short"},
        Damage{"NoSignature", [](auto& f) { f[1] = 'A'; }, "\"BM\""},
        Damage{"FileSizeBeyondData", [](auto& f) { Set32(f, 2, static_cast<uint32_t>(f.size() + 1)); }, "declares"},
        Damage{"PixelOffsetBeyondData", [](auto& f) { Set32(f, 10, static_cast<uint32_t>(f.size())); }, "beyond"},
        Damage{"PixelOffsetIntoHeaders", [](auto& f) { Set32(f, 10, 20); }, "points into the headers"},
        Damage{"CoreHeader", [](auto& f) { Set32(f, 14, 12); }, "information header of 12"},
        Damage{"HugeHeader", [](auto& f) { Set32(f, 14, 0xFFFFFFF0u); }, "information header"},
        Damage{"HeaderCutShort", [](auto& f) { Set32(f, 2, 0); Set32(f, 10, 20); f.resize(40); }, "cut short"},
        Damage{"ZeroWidth", [](auto& f) { Set32(f, 18, 0); }, "width 0"},
        Damage{"NegativeWidth", [](auto& f) { Set32(f, 18, static_cast<uint32_t>(-5)); }, "width -5"},
        Damage{"ZeroHeight", [](auto& f) { Set32(f, 22, 0); }, "height 0"},
        Damage{"MostNegativeHeight", [](auto& f) { Set32(f, 22, 0x80000000u); }, "height"},
        Damage{"TwoPlanes", [](auto& f) { Set16(f, 26, 2); }, "planes"},
        Damage{"TwelveBits", [](auto& f) { Set16(f, 28, 12); }, "12 bits"},
        Damage{"RunLengthEncoded", [](auto& f) { Set32(f, 30, 1); }, "compression 1"},
        Damage{"BitFieldsAtEightBits", [](auto& f) { Set32(f, 30, 3); }, "compression 3"},
        Damage{"Png", [](auto& f) { Set32(f, 30, 5); }, "compression 5"},
        Damage{"TooManyColours", [](auto& f) { Set32(f, 46, 257); }, "257 entries"},
        Damage{"TableBeyondData", [](auto& f) { Set32(f, 46, 256); }, "colour table is cut short"},
        Damage{"TableOverPixels", [](auto& f) { Set32(f, 46, 5); }, "points into the headers"},
        Damage{"WidthBeyondData", [](auto& f) { Set32(f, 18, 9); }, "pixel rows need"},
        Damage{"HeightBeyondData", [](auto& f) { Set32(f, 22, 4); }, "pixel rows need"},
        Damage{"LastRowCutShort", [](auto& f) { Set32(f, 2, 0); f.pop_back(); }, "pixel rows need"},
        Damage{"HugeSizes", [](auto& f) { Set32(f, 18, 0x7FFFFFFF); Set32(f, 22, 0x7FFFFFFF); }, "pixel rows need"},
        Damage{"HugeSizesAtWideDepth",
               [](auto& f) {
                   Set16(f, 28, 32);
                   Set32(f, 18, 0x7FFFFFFF);
                   Set32(f, 22, 0x7FFFFFFF);
               },
               "pixel rows need"},
        Damage{"PixelOffsetNearEnd", [](auto& f) { Set32(f, 10, static_cast<uint32_t>(kPixelOffset + 4)); },
               "pixel rows need"}),
    [](const auto& info) { return std::string(info.param.name); });

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
