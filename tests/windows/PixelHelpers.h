#pragma once
// Pictures for the bitmap and image-clip tests, and their pixels and palettes
// as Windows itself reads them back (GetDIBits at 32 bits), so comparisons
// never rely on our own code.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "toolkit/Dialog_win.h"
#include "toolkit/Handles_win.h"

namespace testpix {

// The layout of a 32-bit picture, bottom row first.
inline BITMAPINFO Info32(LONG width, LONG height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

// A top-down 32-bit picture selected into a memory DC with the form font: a
// surface to draw on as a menu's DC would be, and to read back with GetPixel.
struct DrawingSurface {
    DrawingSurface(LONG width, LONG height) {
        BITMAPINFO info = Info32(width, -height);
        void* bits = nullptr;
        bitmap.reset(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        selectBitmap.emplace(dc.get(), bitmap.get());
        selectFont.emplace(dc.get(), toolkit::FormFont());
    }
    toolkit::UniqueDC dc{CreateCompatibleDC(nullptr)};
    toolkit::UniqueBitmap bitmap;
    std::optional<toolkit::SelectedObject> selectBitmap, selectFont;
};

// Every pixel of a picture as 0x00RRGGBB, bottom row first.
inline std::vector<uint32_t> ReadPixels(HBITMAP bitmap) {
    BITMAP bm{};
    if (!GetObjectA(bitmap, sizeof(bm), &bm)) return {};
    BITMAPINFO info = Info32(bm.bmWidth, bm.bmHeight);
    std::vector<uint32_t> pixels(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    toolkit::UniqueDC dc(CreateCompatibleDC(nullptr));
    if (GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &info, DIB_RGB_COLORS) !=
        bm.bmHeight) {
        return {};
    }
    for (uint32_t& p : pixels) p &= 0x00FFFFFF;
    return pixels;
}

// A gradient with a diagonal stripe: no two neighbouring rows or columns alike.
inline std::vector<uint32_t> Pattern(int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t r = static_cast<uint32_t>(x * 255 / width), g = static_cast<uint32_t>(y * 255 / height);
            pixels.push_back(r << 16 | g << 8 | ((x + y) % 7 == 0 ? 0xFF : static_cast<uint32_t>((x * y) & 0x7F)));
        }
    }
    return pixels;
}

// A screen-compatible device-dependent bitmap holding `pixels` (bottom row first).
inline toolkit::UniqueBitmap MakeScreenBitmap(int width, int height, const std::vector<uint32_t>& pixels) {
    toolkit::WindowDC screen(nullptr);
    toolkit::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    BITMAPINFO info = Info32(width, height);
    SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

struct Dib8 {
    toolkit::UniqueBitmap bitmap;
    toolkit::UniquePalette palette;
};

// An 8-bit DIB section with a colour table of 256 distinct colours and the matching palette.
inline Dib8 MakeDib8(int width, int height) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{{sizeof(BITMAPINFOHEADER), width, height, 1, 8, BI_RGB, 0, 0, 0, 256, 0}, {}};
    struct {
        WORD version, count;
        PALETTEENTRY entries[256];
    } log{0x300, 256, {}};
    for (int i = 0; i < 256; ++i) {
        BYTE r = static_cast<BYTE>(i), g = static_cast<BYTE>(255 - i), b = static_cast<BYTE>(i * 3);
        info.colors[i] = {b, g, r, 0};
        log.entries[i] = {r, g, b, 0};
    }
    uint8_t* bits = nullptr;
    Dib8 dib{toolkit::UniqueBitmap(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                                    reinterpret_cast<void**>(&bits), nullptr, 0)),
             toolkit::UniquePalette(CreatePalette(reinterpret_cast<LOGPALETTE*>(&log)))};
    for (size_t i = 0; i < ((static_cast<size_t>(width) + 3) & ~size_t{3}) * static_cast<size_t>(height); ++i)
        bits[i] = static_cast<uint8_t>(i * 13);
    return dib;
}

// The entries of a palette, as bytes that compare easily.
inline std::vector<uint8_t> PaletteBytes(HPALETTE palette) {
    std::vector<PALETTEENTRY> entries(GetPaletteEntries(palette, 0, 0, nullptr));
    GetPaletteEntries(palette, 0, static_cast<UINT>(entries.size()), entries.data());
    auto* bytes = reinterpret_cast<const uint8_t*>(entries.data());
    return {bytes, bytes + entries.size() * sizeof(PALETTEENTRY)};
}

}  // namespace testpix
