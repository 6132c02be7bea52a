#include "toolkit/BmpFile.h"

#include <cstring>
#include <limits>
#include <optional>

#include "common/LittleEndian.h"

namespace toolkit {
namespace {

constexpr uint32_t kRgb = 0;        // BI_RGB
constexpr uint32_t kBitFields = 3;  // BI_BITFIELDS
constexpr size_t kMasksSize = 12;
constexpr size_t kMaxHighColorTable = 256;

bool IsSupportedDepth(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool HasMasks(uint16_t bits) { return bits == 16 || bits == 32; }

size_t MaxColors(uint16_t bits) { return bits <= 8 ? size_t{1} << bits : kMaxHighColorTable; }

// Fields of a header whose size was checked before they are read.
uint16_t Get16(std::span<const uint8_t> d, size_t at) { return common::ReadLe16(d, at).value(); }
uint32_t Get32(std::span<const uint8_t> d, size_t at) { return common::ReadLe32(d, at).value(); }

// Pixel bytes of a whole image, or nothing when the product overflows.
std::optional<size_t> ImageBytes(int32_t width, int32_t height, uint16_t bits) {
    size_t stride = BmpRowStride(width, bits);
    size_t total = 0;
    if (stride == 0 || height <= 0 || __builtin_mul_overflow(stride, static_cast<size_t>(height), &total)) {
        return std::nullopt;
    }
    return total;
}

[[noreturn]] void Fail(BmpProblem problem) { throw BmpError(problem); }

}  // namespace

const char* BmpProblemText(BmpProblem problem) {
    switch (problem) {
        case BmpProblem::TooShortForFileHeader:
            return "数据太短, 容不下 BMP 文件头.";
        case BmpProblem::NotBmp:
            return "数据不以 \"BM\" 开头, 不是 BMP 文件.";
        case BmpProblem::DeclaredSizeBeyondData:
            return "文件头声明的大小超过了实有的数据.";
        case BmpProblem::PixelOffsetBeyondData:
            return "像素数据的位置超出了数据的末尾.";
        case BmpProblem::TooShortForInfoHeader:
            return "数据太短, 容不下位图信息头.";
        case BmpProblem::UnsupportedInfoHeader:
            return "不支持这种大小的位图信息头.";
        case BmpProblem::InfoHeaderCutShort:
            return "位图信息头不完整.";
        case BmpProblem::BadWidth:
            return "图像的宽度不合理.";
        case BmpProblem::BadHeight:
            return "图像的高度不合理.";
        case BmpProblem::BadSize:
            return "图像的宽度或高度不合理.";
        case BmpProblem::BadPlanes:
            return "图像的颜色平面数不是 1.";
        case BmpProblem::UnsupportedDepth:
            return "不支持图像的每像素位数.";
        case BmpProblem::UnsupportedCompression:
            return "不支持图像的压缩方式.";
        case BmpProblem::MasksCutShort:
            return "图像的颜色掩码不完整.";
        case BmpProblem::ColorTableMissing:
            return "每像素 8 位及以下的图像缺少颜色表.";
        case BmpProblem::ColorTableTooLarge:
            return "图像的颜色表项数超过了允许的数目.";
        case BmpProblem::ColorTableCutShort:
            return "图像的颜色表不完整.";
        case BmpProblem::PixelOffsetIntoHeaders:
            return "像素数据的位置落在了文件头之内.";
        case BmpProblem::ImageTooLarge:
            return "图像太大.";
        case BmpProblem::PixelsCutShort:
            return "像素数据少于图像尺寸所需的字节数.";
        case BmpProblem::PixelBufferSize:
            return "像素数据的字节数与图像的尺寸不符.";
        case BmpProblem::TooLargeForFile:
            return "图像太大, 无法存为 BMP 文件.";
        case BmpProblem::EmptyImage:
            return "图像是空的.";
    }
    return "图像无法读写.";
}

size_t BmpRowStride(int32_t width, uint16_t bitsPerPixel) {
    if (width <= 0 || bitsPerPixel == 0) return 0;
    // At most 2^31 * 32 bits: fits in 64 bits before the division.
    uint64_t bits = static_cast<uint64_t>(width) * bitsPerPixel;
    uint64_t stride = (bits + 31) / 32 * 4;
    if (stride > std::numeric_limits<size_t>::max()) return 0;
    return static_cast<size_t>(stride);
}

BmpMasks DefaultMasks(uint16_t bitsPerPixel) {
    if (bitsPerPixel == 16) return {0x7C00, 0x03E0, 0x001F};
    if (bitsPerPixel == 32) return {0x00FF0000, 0x0000FF00, 0x000000FF};
    return {};
}

void CheckBmpFormat(const BmpFormat& f) {
    if (f.width <= 0 || f.height <= 0) Fail(BmpProblem::BadSize);
    if (!IsSupportedDepth(f.bitsPerPixel)) Fail(BmpProblem::UnsupportedDepth);
    if (f.bitsPerPixel <= 8 && f.colors.empty()) Fail(BmpProblem::ColorTableMissing);
    if (f.colors.size() > MaxColors(f.bitsPerPixel)) Fail(BmpProblem::ColorTableTooLarge);
    if (!ImageBytes(f.width, f.height, f.bitsPerPixel)) Fail(BmpProblem::ImageTooLarge);
}

std::vector<uint8_t> WriteBmp(const BmpFormat& f, std::span<const uint8_t> pixels) {
    CheckBmpFormat(f);
    if (pixels.size() != *ImageBytes(f.width, f.height, f.bitsPerPixel)) Fail(BmpProblem::PixelBufferSize);
    bool masks = HasMasks(f.bitsPerPixel);
    uint64_t offset = kBmpFileHeaderSize + kBmpInfoHeaderSize + (masks ? kMasksSize : 0) + f.colors.size() * 4;
    uint64_t total = offset + pixels.size();
    if (total > std::numeric_limits<uint32_t>::max()) Fail(BmpProblem::TooLargeForFile);

    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(total));
    out.push_back('B');
    out.push_back('M');
    common::AppendLe32(out, static_cast<uint32_t>(total));
    common::AppendLe32(out, 0);  // two reserved words
    common::AppendLe32(out, static_cast<uint32_t>(offset));

    common::AppendLe32(out, kBmpInfoHeaderSize);
    common::AppendLe32(out, static_cast<uint32_t>(f.width));
    common::AppendLe32(out, static_cast<uint32_t>(f.height));  // positive: bottom-up
    common::AppendLe16(out, 1);                                // planes
    common::AppendLe16(out, f.bitsPerPixel);
    common::AppendLe32(out, masks ? kBitFields : kRgb);
    common::AppendLe32(out, static_cast<uint32_t>(pixels.size()));
    common::AppendLe32(out, 0);  // horizontal resolution: unknown
    common::AppendLe32(out, 0);  // vertical resolution: unknown
    common::AppendLe32(out, static_cast<uint32_t>(f.colors.size()));
    common::AppendLe32(out, 0);  // all colours important

    if (masks) {
        BmpMasks m = f.masks == BmpMasks{} ? DefaultMasks(f.bitsPerPixel) : f.masks;
        common::AppendLe32(out, m.red);
        common::AppendLe32(out, m.green);
        common::AppendLe32(out, m.blue);
    }
    for (const BmpColor& c : f.colors) {
        out.insert(out.end(), {c.blue, c.green, c.red, c.reserved});
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

namespace {

// The information header at `infoAt` and what follows it. `pixelOffset` is the
// file header's offset of the pixel rows; a packed DIB has none, and its rows
// follow the colour table directly.
BmpView ParseInfo(std::span<const uint8_t> d, size_t infoAt, std::optional<uint32_t> pixelOffset) {
    const size_t size = d.size();
    std::optional<uint32_t> announcedSize = common::ReadLe32(d, infoAt);
    if (!announcedSize) Fail(BmpProblem::TooShortForInfoHeader);
    // Larger headers (V2 to V5) begin like BITMAPINFOHEADER and hold the masks at the same place.
    const uint32_t headerSize = *announcedSize;
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
        Fail(BmpProblem::UnsupportedInfoHeader);
    if (infoAt + headerSize > size) Fail(BmpProblem::InfoHeaderCutShort);

    BmpView view;
    BmpFormat& f = view.format;
    f.width = static_cast<int32_t>(Get32(d, infoAt + 4));
    int32_t height = static_cast<int32_t>(Get32(d, infoAt + 8));
    uint16_t planes = Get16(d, infoAt + 12);
    f.bitsPerPixel = Get16(d, infoAt + 14);
    uint32_t compression = Get32(d, infoAt + 16);
    uint32_t colorsUsed = Get32(d, infoAt + 32);

    if (f.width <= 0) Fail(BmpProblem::BadWidth);
    if (height == 0 || height == std::numeric_limits<int32_t>::min()) Fail(BmpProblem::BadHeight);
    view.topDown = height < 0;
    f.height = view.topDown ? -height : height;
    if (planes != 1) Fail(BmpProblem::BadPlanes);
    if (!IsSupportedDepth(f.bitsPerPixel)) Fail(BmpProblem::UnsupportedDepth);
    bool masks = HasMasks(f.bitsPerPixel);
    if (compression != kRgb && !(compression == kBitFields && masks)) Fail(BmpProblem::UnsupportedCompression);

    size_t tableStart = infoAt + headerSize;
    if (compression == kBitFields) {
        size_t masksAt = infoAt + kBmpInfoHeaderSize;
        if (headerSize == kBmpInfoHeaderSize) tableStart += kMasksSize;
        if (tableStart > size) Fail(BmpProblem::MasksCutShort);
        f.masks = {Get32(d, masksAt), Get32(d, masksAt + 4), Get32(d, masksAt + 8)};
    } else {
        f.masks = DefaultMasks(f.bitsPerPixel);
    }

    size_t maxColors = MaxColors(f.bitsPerPixel);
    if (colorsUsed > maxColors) Fail(BmpProblem::ColorTableTooLarge);
    size_t colorCount = colorsUsed != 0 ? colorsUsed : (f.bitsPerPixel <= 8 ? maxColors : 0);
    size_t tableEnd = tableStart + colorCount * 4;  // at most 124 + 14 + 12 + 1024: no overflow
    if (tableEnd > size) Fail(BmpProblem::ColorTableCutShort);
    uint32_t pixelsAt = pixelOffset ? *pixelOffset : static_cast<uint32_t>(tableEnd);
    if (tableEnd > pixelsAt) Fail(BmpProblem::PixelOffsetIntoHeaders);
    f.colors.resize(colorCount);
    for (size_t i = 0; i < colorCount; ++i) {
        const uint8_t* e = d.data() + tableStart + i * 4;
        f.colors[i] = {e[0], e[1], e[2], e[3]};
    }

    std::optional<size_t> pixelBytes = ImageBytes(f.width, f.height, f.bitsPerPixel);
    if (!pixelBytes) Fail(BmpProblem::ImageTooLarge);
    if (pixelsAt > size || *pixelBytes > size - pixelsAt) Fail(BmpProblem::PixelsCutShort);
    view.pixels = d.subspan(pixelsAt, *pixelBytes);
    return view;
}

}  // namespace

BmpView ParseBmp(std::span<const uint8_t> d) {
    const size_t size = d.size();
    if (size < kBmpFileHeaderSize + 4) Fail(BmpProblem::TooShortForFileHeader);
    if (d[0] != 'B' || d[1] != 'M') Fail(BmpProblem::NotBmp);
    if (Get32(d, 2) > size) Fail(BmpProblem::DeclaredSizeBeyondData);
    uint32_t pixelOffset = Get32(d, 10);
    if (pixelOffset >= size) Fail(BmpProblem::PixelOffsetBeyondData);
    return ParseInfo(d, kBmpFileHeaderSize, pixelOffset);
}

BmpView ParseDib(std::span<const uint8_t> dib) { return ParseInfo(dib, 0, std::nullopt); }

void CopyRowsBottomUp(const BmpView& view, uint8_t* dest) {
    if (!view.topDown) {
        std::memcpy(dest, view.pixels.data(), view.pixels.size());
        return;
    }
    size_t stride = BmpRowStride(view.format.width, view.format.bitsPerPixel);
    size_t rows = static_cast<size_t>(view.format.height);
    for (size_t row = 0; row < rows; ++row) {
        std::memcpy(dest + row * stride, view.pixels.data() + (rows - 1 - row) * stride, stride);
    }
}

BmpImage ReadBmp(std::span<const uint8_t> file) {
    BmpView view = ParseBmp(file);
    BmpImage image;
    image.format = view.format;
    image.pixels.resize(view.pixels.size());
    CopyRowsBottomUp(view, image.pixels.data());
    return image;
}

}  // namespace toolkit
