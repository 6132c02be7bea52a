#pragma once
// The toolkit's bitmap: one device-independent copy of a picture's pixels (a
// DIB section) and, when the picture came with one, a copy of its palette.
// It copies to and from clipboard bitmaps and reads and writes BMP files.
#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "toolkit/BmpFile.h"
#include "toolkit/Handles_win.h"

namespace toolkit {

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(Bitmap&&) noexcept = default;
    Bitmap& operator=(Bitmap&&) noexcept = default;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    bool Empty() const noexcept { return !dib_; }
    int Width() const noexcept { return format_.width; }
    int Height() const noexcept { return format_.height; }
    int BitsPerPixel() const noexcept { return Empty() ? 0 : format_.bitsPerPixel; }
    // Depth, colour table and masks (meaningless while empty).
    const BmpFormat& Format() const noexcept { return format_; }
    // The pixel rows, bottom-up, each padded to 4 bytes.
    std::span<const uint8_t> Pixels() const noexcept;
    // The DIB section that holds the pixels; stays ours.
    HBITMAP Handle() const noexcept { return dib_.get(); }
    HPALETTE Palette() const noexcept { return palette_.get(); }

    // Back to an empty image.
    void Clear() noexcept;
    // Makes this image an independent copy of `other`.
    void Assign(const Bitmap& other);

    // Copies a bitmap (a device-dependent bitmap or a DIB section) and its
    // palette, which may be null; the caller keeps both. The depth is kept,
    // except that 16-bit pictures become 32-bit so that no colour bit is lost.
    // Throws common::Failure for a bitmap that cannot be read or has no size,
    // common::Win32Error when the copy cannot be made; the image is then unchanged.
    void LoadFromClipboardFormat(HBITMAP bitmap, HPALETTE palette);

    // A new screen-compatible bitmap and a copy of the palette (null when there
    // is none), for SetClipboardData, which then owns them.
    // Throws common::Failure for an empty image, common::Win32Error when they
    // cannot be made.
    struct ClipboardData {
        UniqueBitmap bitmap;
        UniquePalette palette;
    };
    ClipboardData SaveToClipboardFormat() const;

    // A complete BMP file of the image. Throws BmpError (also for an empty image).
    std::vector<uint8_t> SaveToBmp() const;
    // Replaces the image with a BMP file's; a file of 8 bits or fewer per pixel
    // also gives the image a palette of its colour table. Throws BmpError for
    // a file it refuses, common::Win32Error when the bitmap cannot be made;
    // the image is then unchanged.
    void LoadFromBmp(std::span<const uint8_t> file);
    // The same for a packed DIB (a CF_DIB or CF_DIBV5 block), read strictly
    // within the block: its pixels are copied once, at their own depth. A copy
    // of `palette` (which may be null) is kept; without one, a picture of 8
    // bits or fewer gets a palette of its colour table.
    void LoadFromDib(std::span<const uint8_t> dib, HPALETTE palette);
    // A packed DIB of the image in a movable block, for SetClipboardData(CF_DIB).
    // Throws common::Failure for an empty image, common::Win32Error when the
    // block can't be allocated.
    UniqueGlobal SaveToDib() const;

private:
    void LoadView(const BmpView& view, HPALETTE palette);
    // A DIB section of `format`, pixels uninitialised. Throws on failure.
    static UniqueBitmap CreateDib(const BmpFormat& format, uint8_t*& bits);

    BmpFormat format_;
    UniqueBitmap dib_;
    uint8_t* bits_ = nullptr;  // owned by dib_
    UniquePalette palette_;
};

// A palette of the same entries as `source` (none for a null source). Throws
// common::Win32Error when it can't be made.
UniquePalette CopyPalette(HPALETTE source);

}  // namespace toolkit
