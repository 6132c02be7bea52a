#pragma once
// The Windows BMP file layout, without Windows: the 14-byte file header, the
// 40-byte BITMAPINFOHEADER, the three colour masks of 16- and 32-bit images,
// the colour table and the pixel rows, bottom-up and padded to 4 bytes.
// The reader trusts nothing in the data: every size is checked against the
// bytes actually there before anything is read or allocated.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/Failure.h"

namespace toolkit {

// One colour-table entry, laid out like RGBQUAD.
struct BmpColor {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
    friend bool operator==(const BmpColor&, const BmpColor&) = default;
};

struct BmpMasks {
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
    friend bool operator==(const BmpMasks&, const BmpMasks&) = default;
};

// Everything about an image but its pixels.
struct BmpFormat {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 32;  // 1, 4, 8, 16, 24 or 32
    // Required for 8 bits or fewer (at most 2^bits entries); optional above (at most 256).
    std::vector<BmpColor> colors;
    // Used for 16 and 32 bits; all zero means the usual 5-5-5 or 8-8-8 layout.
    BmpMasks masks;
    friend bool operator==(const BmpFormat&, const BmpFormat&) = default;
};

// An image with its own pixels: rows bottom-up, each padded to 4 bytes,
// exactly as a DIB holds them.
struct BmpImage {
    BmpFormat format;
    std::vector<uint8_t> pixels;
};

// A parsed file whose pixels still live in the caller's buffer.
struct BmpView {
    BmpFormat format;
    std::span<const uint8_t> pixels;  // RowStride * height bytes
    bool topDown = false;             // the file stored its rows top row first
};

// Why a BMP file or DIB is refused, or an image cannot be written as one.
enum class BmpProblem {
    TooShortForFileHeader,
    NotBmp,
    DeclaredSizeBeyondData,
    PixelOffsetBeyondData,
    TooShortForInfoHeader,
    UnsupportedInfoHeader,
    InfoHeaderCutShort,
    BadWidth,
    BadHeight,
    BadSize,
    BadPlanes,
    UnsupportedDepth,
    UnsupportedCompression,
    MasksCutShort,
    ColorTableMissing,
    ColorTableTooLarge,
    ColorTableCutShort,
    PixelOffsetIntoHeaders,
    ImageTooLarge,
    PixelsCutShort,
    PixelBufferSize,
    TooLargeForFile,
    EmptyImage,
};
inline constexpr int kBmpProblemCount = static_cast<int>(BmpProblem::EmptyImage) + 1;

// The user's text for a problem.
const char* BmpProblemText(BmpProblem problem);

// The failure of the BMP routines: the reason, and its text for the user.
class BmpError : public common::Failure {
public:
    explicit BmpError(BmpProblem reason) : common::Failure(BmpProblemText(reason)), reason_(reason) {}
    BmpProblem Reason() const noexcept { return reason_; }

private:
    BmpProblem reason_;
};

inline constexpr size_t kBmpFileHeaderSize = 14;
inline constexpr size_t kBmpInfoHeaderSize = 40;

// Bytes per pixel row, padded to a multiple of 4; 0 when it would not fit in size_t.
size_t BmpRowStride(int32_t width, uint16_t bitsPerPixel);
// The masks a 16- or 32-bit image uses when it names none (5-5-5 or 8-8-8); zero otherwise.
BmpMasks DefaultMasks(uint16_t bitsPerPixel);
// Throws BmpError when the format cannot be written.
void CheckBmpFormat(const BmpFormat& format);

// A complete BMP file. Throws BmpError when the format is unusable, the pixel
// buffer is not RowStride * height bytes, or the file would exceed 4 GB.
std::vector<uint8_t> WriteBmp(const BmpFormat& format, std::span<const uint8_t> pixels);
inline std::vector<uint8_t> WriteBmp(const BmpImage& image) { return WriteBmp(image.format, image.pixels); }

// Parses a file without copying its pixels. Throws BmpError.
BmpView ParseBmp(std::span<const uint8_t> file);
// The same for a packed DIB (CF_DIB, CF_DIBV5): the information header, the
// masks and colour table, then the pixel rows, without a file header.
BmpView ParseDib(std::span<const uint8_t> dib);
// Copies the view's rows into `dest` (RowStride * height bytes), bottom-up.
void CopyRowsBottomUp(const BmpView& view, uint8_t* dest);
// Parses a file and copies its pixels, bottom-up. Throws BmpError.
BmpImage ReadBmp(std::span<const uint8_t> file);

}  // namespace toolkit
