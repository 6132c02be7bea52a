#pragma once
// Pictures for the bitmap and image-clip tests, and their pixels as Windows
// itself reads them back (GetDIBits at 32 bits), so comparisons never rely on
// our own code.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/Handles_win.h"

namespace testpix {

// Every pixel of a picture as 0x00RRGGBB, bottom row first.
inline std::vector<uint32_t> ReadPixels(HBITMAP bitmap) {
    BITMAP bm{};
    if (!GetObjectA(bitmap, sizeof(bm), &bm)) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
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
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t r = static_cast<uint32_t>(x * 255 / width), g = static_cast<uint32_t>(y * 255 / height);
            uint32_t b = (x + y) % 7 == 0 ? 0xFF : static_cast<uint32_t>((x * y) & 0x7F);
            pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = r << 16 | g << 8 | b;
        }
    }
    return pixels;
}

// A screen-compatible device-dependent bitmap holding `pixels` (bottom row first).
inline toolkit::UniqueBitmap MakeScreenBitmap(int width, int height, const std::vector<uint32_t>& pixels) {
    toolkit::WindowDC screen(nullptr);
    toolkit::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

}  // namespace testpix
