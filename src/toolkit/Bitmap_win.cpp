#include "toolkit/Bitmap_win.h"

#include <cstring>
#include <memory>

#include "common/Win32Error_win.h"

namespace toolkit {
namespace {
const char kNoPicture[] = "图像是空的, 无法写入剪贴板.";

// GDI often fails without a last error of its own; whatever an earlier call
// left there must not be reported as the reason.
void ClearLastError() { SetLastError(ERROR_SUCCESS); }

// BITMAPINFO with room for the largest colour table (the masks of a
// bit-field DIB take the first three entries).
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

DibInfo MakeDibInfo(const BmpFormat& f) {
    DibInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = f.width;
    info.header.biHeight = f.height;  // bottom-up
    info.header.biPlanes = 1;
    info.header.biBitCount = f.bitsPerPixel;
    info.header.biCompression = BI_RGB;
    if (f.bitsPerPixel == 16 || f.bitsPerPixel == 32) {
        BmpMasks m = f.masks == BmpMasks{} ? DefaultMasks(f.bitsPerPixel) : f.masks;
        if (m != DefaultMasks(f.bitsPerPixel)) {
            info.header.biCompression = BI_BITFIELDS;
            DWORD masks[3] = {m.red, m.green, m.blue};
            std::memcpy(info.colors, masks, sizeof(masks));
        }
    } else {
        info.header.biClrUsed = static_cast<DWORD>(f.colors.size());
        std::memcpy(info.colors, f.colors.data(), f.colors.size() * sizeof(RGBQUAD));
    }
    return info;
}

// SelectPalette is not SelectObject: the previous palette goes back the same way.
class SelectedPalette {
public:
    SelectedPalette(HDC dc, HPALETTE palette) noexcept
        : dc_(dc), old_(palette ? SelectPalette(dc, palette, FALSE) : nullptr) {
        if (old_) RealizePalette(dc);
    }
    ~SelectedPalette() {
        if (old_) SelectPalette(dc_, old_, FALSE);
    }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

private:
    HDC dc_;
    HPALETTE old_;
};

UniquePalette PaletteOfColors(const std::vector<BmpColor>& colors) {
    if (colors.empty()) return {};
    std::vector<uint8_t> storage(sizeof(LOGPALETTE) + colors.size() * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(storage.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(colors.size());
    for (size_t i = 0; i < colors.size(); ++i) {
        log->palPalEntry[i] = {colors[i].red, colors[i].green, colors[i].blue, 0};
    }
    ClearLastError();
    UniquePalette palette(CreatePalette(log));
    if (!palette) common::ThrowLastError();
    return palette;
}

// The depth a copy keeps: the source's own, but 32 for 16-bit and odd depths.
uint16_t KeptDepth(const BITMAP& bm) {
    int depth = bm.bmBitsPixel * bm.bmPlanes;
    if (depth == 1 || depth == 4 || depth == 8 || depth == 24) return static_cast<uint16_t>(depth);
    return 32;
}

}  // namespace

UniquePalette CopyPalette(HPALETTE source) {
    if (!source) return {};
    UINT count = GetPaletteEntries(source, 0, 0, nullptr);
    if (count == 0) return {};
    std::vector<uint8_t> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(storage.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(count);
    GetPaletteEntries(source, 0, count, log->palPalEntry);
    ClearLastError();
    UniquePalette copy(CreatePalette(log));
    if (!copy) common::ThrowLastError();
    return copy;
}

std::span<const uint8_t> Bitmap::Pixels() const noexcept {
    if (Empty()) return {};
    return {bits_, BmpRowStride(format_.width, format_.bitsPerPixel) * static_cast<size_t>(format_.height)};
}

void Bitmap::Clear() noexcept {
    dib_.reset();
    bits_ = nullptr;
    palette_.reset();
    format_ = {};
}

UniqueBitmap Bitmap::CreateDib(const BmpFormat& format, uint8_t*& bits) {
    DibInfo info = MakeDibInfo(format);
    void* raw = nullptr;
    ClearLastError();
    UniqueBitmap dib(CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &raw, nullptr, 0));
    if (!dib || !raw) common::ThrowLastError();
    bits = static_cast<uint8_t*>(raw);
    return dib;
}

void Bitmap::Assign(const Bitmap& other) {
    if (&other == this) return;
    if (other.Empty()) {
        Clear();
        return;
    }
    uint8_t* bits = nullptr;
    UniqueBitmap dib = CreateDib(other.format_, bits);
    UniquePalette palette = CopyPalette(other.palette_.get());
    std::span<const uint8_t> pixels = other.Pixels();
    std::memcpy(bits, pixels.data(), pixels.size());
    format_ = other.format_;
    dib_ = std::move(dib);
    bits_ = bits;
    palette_ = std::move(palette);
}

void Bitmap::LoadFromClipboardFormat(HBITMAP bitmap, HPALETTE palette) {
    BITMAP bm{};
    if (!bitmap || GetObjectW(bitmap, sizeof(bm), &bm) != sizeof(bm)) {
        throw common::Failure("剪贴板上的位图无法读取.");
    }
    BmpFormat format;
    format.width = bm.bmWidth;
    format.height = bm.bmHeight;
    format.bitsPerPixel = KeptDepth(bm);
    if (format.width <= 0 || format.height <= 0) {
        throw common::Failure("剪贴板上的位图没有尺寸.");
    }

    ClearLastError();
    UniqueDC dc(CreateCompatibleDC(nullptr));
    if (!dc) common::ThrowLastError();
    SelectedPalette selected(dc.get(), palette);

    DibInfo info = MakeDibInfo(format);
    if (format.bitsPerPixel <= 8) {
        // Without pixels, GetDIBits only fills in the colour table the copy will need.
        info.header.biClrUsed = 0;
        ClearLastError();
        if (!GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(format.height), nullptr, info.get(), DIB_RGB_COLORS)) {
            common::ThrowLastError(ERROR_INVALID_DATA);
        }
        size_t full = size_t{1} << format.bitsPerPixel;
        size_t used = info.header.biClrUsed != 0 && info.header.biClrUsed < full ? info.header.biClrUsed : full;
        format.colors.resize(used);
        std::memcpy(format.colors.data(), info.colors, used * sizeof(RGBQUAD));
        info = MakeDibInfo(format);
    } else if (format.bitsPerPixel == 32) {
        format.masks = DefaultMasks(32);
    }

    uint8_t* bits = nullptr;
    UniqueBitmap dib = CreateDib(format, bits);
    ClearLastError();
    int lines = GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(format.height), bits, info.get(), DIB_RGB_COLORS);
    if (lines != format.height) common::ThrowLastError(ERROR_INVALID_DATA);
    UniquePalette paletteCopy = CopyPalette(palette);

    format_ = std::move(format);
    dib_ = std::move(dib);
    bits_ = bits;
    palette_ = std::move(paletteCopy);
}

Bitmap::ClipboardData Bitmap::SaveToClipboardFormat() const {
    if (Empty()) {
        throw common::Failure(kNoPicture);
    }
    WindowDC screen(nullptr);
    DibInfo info = MakeDibInfo(format_);
    // A device-dependent bitmap: its bits live with the system, not in this
    // process, so every program that pastes can read them.
    ClipboardData data;
    ClearLastError();
    data.bitmap.reset(CreateCompatibleBitmap(screen.get(), format_.width, format_.height));
    if (!data.bitmap) common::ThrowLastError();
    ClearLastError();
    if (SetDIBits(screen.get(), data.bitmap.get(), 0, static_cast<UINT>(format_.height), bits_, info.get(),
                  DIB_RGB_COLORS) != format_.height) {
        common::ThrowLastError(ERROR_INVALID_DATA);
    }
    data.palette = CopyPalette(palette_.get());
    return data;
}

std::vector<uint8_t> Bitmap::SaveToBmp() const {
    if (Empty()) throw BmpError(BmpProblem::EmptyImage);
    return WriteBmp(format_, Pixels());
}

void Bitmap::LoadFromBmp(std::span<const uint8_t> file) { LoadView(ParseBmp(file), nullptr); }

void Bitmap::LoadFromDib(std::span<const uint8_t> dib, HPALETTE palette) { LoadView(ParseDib(dib), palette); }

void Bitmap::LoadView(const BmpView& view, HPALETTE palette) {
    const BmpFormat& format = view.format;
    uint8_t* bits = nullptr;
    UniqueBitmap dib = CreateDib(format, bits);
    UniquePalette kept = palette                     ? CopyPalette(palette)
                         : format.bitsPerPixel <= 8 ? PaletteOfColors(format.colors)
                                                    : UniquePalette{};
    CopyRowsBottomUp(view, bits);
    format_ = format;
    dib_ = std::move(dib);
    bits_ = bits;
    palette_ = std::move(kept);
}

UniqueGlobal Bitmap::SaveToDib() const {
    if (Empty()) throw common::Failure(kNoPicture);
    DibInfo info = MakeDibInfo(format_);
    if (format_.bitsPerPixel == 32 && info.header.biCompression == BI_RGB) {
        // Some readers (X programs that get it as image/bmp) take the fourth byte of a
        // plain 32-bit DIB for transparency; masks say there is none, the bytes stay.
        info.header.biCompression = BI_BITFIELDS;
        DWORD masks[3] = {0x00FF0000, 0x0000FF00, 0x000000FF};
        std::memcpy(info.colors, masks, sizeof(masks));
    }
    size_t table = (info.header.biCompression == BI_BITFIELDS ? 3 : info.header.biClrUsed) * sizeof(RGBQUAD);
    size_t headers = sizeof(BITMAPINFOHEADER) + table;
    std::span<const uint8_t> pixels = Pixels();
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, headers + pixels.size()));
    if (!block) common::ThrowLastError();
    GlobalLockGuard lock(block.get());
    if (!lock) common::ThrowLastError();
    info.header.biSizeImage = static_cast<DWORD>(pixels.size());
    auto* out = static_cast<uint8_t*>(lock.data());
    std::memcpy(out, &info, headers);
    std::memcpy(out + headers, pixels.data(), pixels.size());
    return block;
}

}  // namespace toolkit
