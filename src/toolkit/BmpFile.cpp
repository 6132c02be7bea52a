#include "toolkit/BmpFile.h"

#include <cstring>
#include <limits>

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

uint16_t Get16(std::span<const uint8_t> d, size_t at) { return static_cast<uint16_t>(d[at] | d[at + 1] << 8); }
uint32_t Get32(std::span<const uint8_t> d, size_t at) {
    return uint32_t{d[at]} | uint32_t{d[at + 1]} << 8 | uint32_t{d[at + 2]} << 16 | uint32_t{d[at + 3]} << 24;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Pixel bytes of a whole image, or nothing when the product overflows.
std::optional<size_t> ImageBytes(int32_t width, int32_t height, uint16_t bits) {
    size_t stride = BmpRowStride(width, bits);
    size_t total = 0;
    if (stride == 0 || height <= 0 || __builtin_mul_overflow(stride, static_cast<size_t>(height), &total)) {
        return std::nullopt;
    }
    return total;
}

std::string Num(uint64_t v) { return std::to_string(v); }

}  // namespace

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

std::string CheckBmpFormat(const BmpFormat& f) {
    if (f.width <= 0 || f.height <= 0) {
        return "the image size " + std::to_string(f.width) + " x " + std::to_string(f.height) + " is not positive";
    }
    if (!IsSupportedDepth(f.bitsPerPixel)) return Num(f.bitsPerPixel) + " bits per pixel are not supported";
    if (f.bitsPerPixel <= 8 && f.colors.empty()) return "an image of 8 bits or fewer needs a colour table";
    if (f.colors.size() > MaxColors(f.bitsPerPixel)) {
        return "a colour table of " + Num(f.colors.size()) + " entries is larger than the " +
               Num(MaxColors(f.bitsPerPixel)) + " allowed";
    }
    if (!ImageBytes(f.width, f.height, f.bitsPerPixel)) return "the image is too large";
    return {};
}

BmpResult<std::vector<uint8_t>> WriteBmp(const BmpFormat& f, std::span<const uint8_t> pixels) {
    using Result = BmpResult<std::vector<uint8_t>>;
    if (std::string problem = CheckBmpFormat(f); !problem.empty()) return Result::Fail(problem);
    size_t expected = *ImageBytes(f.width, f.height, f.bitsPerPixel);
    if (pixels.size() != expected) {
        return Result::Fail("the pixel buffer holds " + Num(pixels.size()) + " bytes instead of " + Num(expected));
    }
    bool masks = HasMasks(f.bitsPerPixel);
    uint64_t offset = kBmpFileHeaderSize + kBmpInfoHeaderSize + (masks ? kMasksSize : 0) + f.colors.size() * 4;
    uint64_t total = offset + pixels.size();
    if (total > std::numeric_limits<uint32_t>::max()) return Result::Fail("the image is too large for a BMP file");

    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(total));
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(total));
    Put32(out, 0);  // two reserved words
    Put32(out, static_cast<uint32_t>(offset));

    Put32(out, kBmpInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(f.width));
    Put32(out, static_cast<uint32_t>(f.height));  // positive: bottom-up
    Put16(out, 1);                                // planes
    Put16(out, f.bitsPerPixel);
    Put32(out, masks ? kBitFields : kRgb);
    Put32(out, static_cast<uint32_t>(pixels.size()));
    Put32(out, 0);  // horizontal resolution: unknown
    Put32(out, 0);  // vertical resolution: unknown
    Put32(out, static_cast<uint32_t>(f.colors.size()));
    Put32(out, 0);  // all colours important

    if (masks) {
        BmpMasks m = f.masks == BmpMasks{} ? DefaultMasks(f.bitsPerPixel) : f.masks;
        Put32(out, m.red);
        Put32(out, m.green);
        Put32(out, m.blue);
    }
    for (const BmpColor& c : f.colors) {
        out.insert(out.end(), {c.blue, c.green, c.red, c.reserved});
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return Result::Ok(std::move(out));
}

namespace {

// The information header at `infoAt` and what follows it. `pixelOffset` is the
// file header's offset of the pixel rows; a packed DIB has none, and its rows
// follow the colour table directly.
BmpResult<BmpView> ParseInfo(std::span<const uint8_t> d, size_t infoAt, std::optional<uint32_t> pixelOffset) {
    using Result = BmpResult<BmpView>;
    const size_t size = d.size();
    if (size < infoAt + 4) return Result::Fail("the data is too short for a bitmap header (" + Num(size) + " bytes)");
    // Larger headers (V2 to V5) begin like BITMAPINFOHEADER and hold the masks at the same place.
    uint32_t headerSize = Get32(d, infoAt);
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124) {
        return Result::Fail("an information header of " + Num(headerSize) + " bytes is not supported");
    }
    if (infoAt + headerSize > size) return Result::Fail("the information header is cut short");

    BmpView view;
    BmpFormat& f = view.format;
    f.width = static_cast<int32_t>(Get32(d, infoAt + 4));
    int32_t height = static_cast<int32_t>(Get32(d, infoAt + 8));
    uint16_t planes = Get16(d, infoAt + 12);
    f.bitsPerPixel = Get16(d, infoAt + 14);
    uint32_t compression = Get32(d, infoAt + 16);
    uint32_t colorsUsed = Get32(d, infoAt + 32);

    if (f.width <= 0) return Result::Fail("the width " + std::to_string(f.width) + " is not positive");
    if (height == 0 || height == std::numeric_limits<int32_t>::min()) {
        return Result::Fail("the height " + std::to_string(height) + " is not usable");
    }
    view.topDown = height < 0;
    f.height = view.topDown ? -height : height;
    if (planes != 1) return Result::Fail(Num(planes) + " colour planes are not supported");
    if (!IsSupportedDepth(f.bitsPerPixel)) return Result::Fail(Num(f.bitsPerPixel) + " bits per pixel are not supported");
    bool masks = HasMasks(f.bitsPerPixel);
    if (compression != kRgb && !(compression == kBitFields && masks)) {
        return Result::Fail("compression " + Num(compression) + " at " + Num(f.bitsPerPixel) +
                            " bits per pixel is not supported");
    }

    size_t tableStart = infoAt + headerSize;
    if (compression == kBitFields) {
        size_t masksAt = infoAt + kBmpInfoHeaderSize;
        if (headerSize == kBmpInfoHeaderSize) tableStart += kMasksSize;
        if (tableStart > size) return Result::Fail("the colour masks are cut short");
        f.masks = {Get32(d, masksAt), Get32(d, masksAt + 4), Get32(d, masksAt + 8)};
    } else {
        f.masks = DefaultMasks(f.bitsPerPixel);
    }

    size_t maxColors = MaxColors(f.bitsPerPixel);
    if (colorsUsed > maxColors) {
        return Result::Fail("a colour table of " + Num(colorsUsed) + " entries is larger than the " + Num(maxColors) +
                            " allowed");
    }
    size_t colorCount = colorsUsed != 0 ? colorsUsed : (f.bitsPerPixel <= 8 ? maxColors : 0);
    size_t tableEnd = tableStart + colorCount * 4;  // at most 124 + 14 + 12 + 1024: no overflow
    if (tableEnd > size) return Result::Fail("the colour table is cut short");
    uint32_t pixelsAt = pixelOffset ? *pixelOffset : static_cast<uint32_t>(tableEnd);
    if (tableEnd > pixelsAt) return Result::Fail("the pixel data offset points into the headers");
    f.colors.resize(colorCount);
    for (size_t i = 0; i < colorCount; ++i) {
        const uint8_t* e = d.data() + tableStart + i * 4;
        f.colors[i] = {e[0], e[1], e[2], e[3]};
    }

    std::optional<size_t> pixelBytes = ImageBytes(f.width, f.height, f.bitsPerPixel);
    if (!pixelBytes) return Result::Fail("the image size overflows");
    if (pixelsAt > size || *pixelBytes > size - pixelsAt) {
        return Result::Fail("the pixel rows need " + Num(*pixelBytes) + " bytes but the data holds " +
                            Num(pixelsAt > size ? 0 : size - pixelsAt));
    }
    view.pixels = d.subspan(pixelsAt, *pixelBytes);
    return Result::Ok(std::move(view));
}

}  // namespace

BmpResult<BmpView> ParseBmp(std::span<const uint8_t> d) {
    using Result = BmpResult<BmpView>;
    const size_t size = d.size();
    if (size < kBmpFileHeaderSize + 4) return Result::Fail("the data is too short for a BMP header (" + Num(size) + " bytes)");
    if (d[0] != 'B' || d[1] != 'M') return Result::Fail("the data does not start with \"BM\"");
    uint32_t fileSize = Get32(d, 2);
    if (fileSize > size) {
        return Result::Fail("the header declares " + Num(fileSize) + " bytes but the data holds " + Num(size));
    }
    uint32_t pixelOffset = Get32(d, 10);
    if (pixelOffset >= size) return Result::Fail("the pixel data offset " + Num(pixelOffset) + " lies beyond the data");
    return ParseInfo(d, kBmpFileHeaderSize, pixelOffset);
}

BmpResult<BmpView> ParseDib(std::span<const uint8_t> dib) { return ParseInfo(dib, 0, std::nullopt); }

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

BmpResult<BmpImage> ReadBmp(std::span<const uint8_t> file) {
    BmpResult<BmpView> view = ParseBmp(file);
    if (!view) return BmpResult<BmpImage>::Fail(view.error());
    BmpImage image;
    image.format = view.value().format;
    image.pixels.resize(view.value().pixels.size());
    CopyRowsBottomUp(view.value(), image.pixels.data());
    return BmpResult<BmpImage>::Ok(std::move(image));
}

}  // namespace toolkit
