// The toolkit bitmap against real GDI bitmaps, palettes and BMP files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <system_error>

#include "PixelHelpers.h"
#include "toolkit/Bitmap_win.h"

using toolkit::Bitmap;
using toolkit::UniqueBitmap;

TEST(Bitmap, KeepsTheDepthColourTableAndPaletteOfAnEightBitPicture) {
    testpix::Dib8 source = testpix::MakeDib8(37, 11);
    Bitmap image;
    image.LoadFromClipboardFormat(source.bitmap.get(), source.palette.get());
    EXPECT_EQ(image.BitsPerPixel(), 8);
    ASSERT_EQ(image.Format().colors.size(), 256u);
    EXPECT_EQ(std::memcmp(image.Format().colors.data(), source.colors.data(), 256 * sizeof(RGBQUAD)), 0);
    ASSERT_NE(image.Palette(), nullptr);
    EXPECT_NE(image.Palette(), source.palette.get());  // a copy
    EXPECT_EQ(testpix::PaletteBytes(image.Palette()), testpix::PaletteBytes(source.palette.get()));
    EXPECT_EQ(testpix::ReadPixels(image.Handle()), testpix::ReadPixels(source.bitmap.get()));

    Bitmap::ClipboardData out = image.SaveToClipboardFormat();
    ASSERT_TRUE(out.palette);
    EXPECT_NE(out.palette.get(), image.Palette());
    EXPECT_EQ(testpix::PaletteBytes(out.palette.get()), testpix::PaletteBytes(source.palette.get()));
    EXPECT_EQ(testpix::ReadPixels(out.bitmap.get()), testpix::ReadPixels(source.bitmap.get()));
}

TEST(Bitmap, KeepsMonochromeAtOneBitAndTurnsSixteenBitsIntoThirtyTwo) {
    const int width = 21, height = 5;  // rows of 2 bytes, padded to 4 in the copy
    std::vector<uint8_t> rows(2 * height);
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<uint8_t>(0x5A ^ i * 17);
    UniqueBitmap mono(CreateBitmap(width, height, 1, 1, rows.data()));
    Bitmap image;
    image.LoadFromClipboardFormat(mono.get(), nullptr);
    EXPECT_EQ(image.BitsPerPixel(), 1);
    EXPECT_EQ(image.Format().colors.size(), 2u);
    EXPECT_EQ(testpix::ReadPixels(image.Handle()), testpix::ReadPixels(mono.get()));

    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{{sizeof(BITMAPINFOHEADER), 9, 4, 1, 16, BI_BITFIELDS, 0, 0, 0, 0, 0}, {0xF800, 0x07E0, 0x001F}};
    void* bits = nullptr;
    UniqueBitmap wide(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(wide);
    for (int i = 0; i < 10 * 4; ++i) static_cast<uint16_t*>(bits)[i] = static_cast<uint16_t>(i * 1733);
    image.LoadFromClipboardFormat(wide.get(), nullptr);
    EXPECT_EQ(image.BitsPerPixel(), 32);
    EXPECT_EQ(testpix::ReadPixels(image.Handle()), testpix::ReadPixels(wide.get()));
}

TEST(Bitmap, BadInputLeavesTheImageAlone) {
    std::vector<uint32_t> pattern = testpix::Pattern(4, 4);
    UniqueBitmap source = testpix::MakeScreenBitmap(4, 4, pattern);
    Bitmap image;
    image.LoadFromClipboardFormat(source.get(), nullptr);
    EXPECT_THROW(image.LoadFromClipboardFormat(nullptr, nullptr), std::system_error);
    EXPECT_THROW(image.LoadFromClipboardFormat(reinterpret_cast<HBITMAP>(0x7777), nullptr), std::system_error);
    std::vector<uint8_t> cut = image.SaveToBmp().value();
    cut.pop_back();
    std::string error;
    EXPECT_FALSE(image.LoadFromBmp(cut, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(testpix::ReadPixels(image.Handle()), pattern);
    Bitmap empty;
    EXPECT_THROW(empty.SaveToClipboardFormat(), std::system_error);
    EXPECT_FALSE(empty.SaveToBmp().ok());
}

TEST(Bitmap, RoundTripsThroughABmpFileThatWindowsReadsToo) {
    for (bool eightBit : {false, true}) {
        SCOPED_TRACE(eightBit ? "8 bits" : "32 bits");
        Bitmap image;
        testpix::Dib8 dib8 = testpix::MakeDib8(13, 7);
        UniqueBitmap screen = testpix::MakeScreenBitmap(13, 7, testpix::Pattern(13, 7));
        if (eightBit) image.LoadFromClipboardFormat(dib8.bitmap.get(), dib8.palette.get());
        else image.LoadFromClipboardFormat(screen.get(), nullptr);

        auto file = image.SaveToBmp();
        ASSERT_TRUE(file.ok()) << file.error();
        Bitmap back;
        std::string error;
        ASSERT_TRUE(back.LoadFromBmp(file.value(), error)) << error;
        EXPECT_EQ(back.Format(), image.Format());
        EXPECT_TRUE(std::ranges::equal(back.Pixels(), image.Pixels()));
        EXPECT_EQ(back.Palette() != nullptr, eightBit);

        char dir[MAX_PATH], path[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "bmp", 0, path);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(file.value().data()), static_cast<std::streamsize>(file.value().size()));
        UniqueBitmap loaded(static_cast<HBITMAP>(
            LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        DeleteFileA(path);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(testpix::ReadPixels(loaded.get()), testpix::ReadPixels(image.Handle()));
    }
}
