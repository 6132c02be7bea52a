// The toolkit bitmap against real GDI bitmaps, palettes and BMP files.
#include <gtest/gtest.h>

#include "PixelHelpers.h"
#include "TestSupport_win.h"
#include "toolkit/Bitmap_win.h"

using toolkit::Bitmap;
using toolkit::UniqueBitmap;

TEST(Bitmap, KeepsTheDepthPixelsAndPaletteOfEachKindOfPictureAndWritesBmpFilesWindowsReads) {
    const uint8_t rows[10] = {0x5A, 0x4B, 0x78, 0x69, 0x1E, 0x0F, 0x3C, 0x2D, 0xD2, 0xC3};
    UniqueBitmap mono(CreateBitmap(21, 5, 1, 1, rows));  // rows of 2 bytes, padded to 4 in the copy
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{{sizeof(BITMAPINFOHEADER), 9, 4, 1, 16, BI_BITFIELDS, 0, 0, 0, 0, 0}, {0xF800, 0x07E0, 0x001F}};
    void* bits = nullptr;
    UniqueBitmap wide(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    for (int i = 0; i < 10 * 4; ++i) static_cast<uint16_t*>(bits)[i] = static_cast<uint16_t>(i * 1733);
    UniqueBitmap screen = testpix::MakeScreenBitmap(13, 7, testpix::Pattern(13, 7));
    testpix::Dib8 dib8 = testpix::MakeDib8(37, 11);
    const struct {
        HBITMAP source;
        HPALETTE palette;
        int bits;
        size_t colors;
    } cases[] = {{mono.get(), nullptr, 1, 2},
                 {wide.get(), nullptr, 32, 0},  // 16 bits become 32 without loss
                 {screen.get(), nullptr, 32, 0},
                 {dib8.bitmap.get(), dib8.palette.get(), 8, 256}};
    testing_support::TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        Bitmap image;
        image.LoadFromClipboardFormat(c.source, c.palette);
        const std::vector<uint32_t> pixels = testpix::ReadPixels(c.source);
        EXPECT_EQ(image.BitsPerPixel(), c.bits);
        EXPECT_EQ(image.Format().colors.size(), c.colors);
        EXPECT_EQ(testpix::ReadPixels(image.Handle()), pixels);
        Bitmap::ClipboardData out = image.SaveToClipboardFormat();
        EXPECT_EQ(testpix::ReadPixels(out.bitmap.get()), pixels);
        EXPECT_EQ(out.palette.get() != nullptr, c.palette != nullptr);
        if (c.palette) {  // a copy of the palette travels with the picture
            EXPECT_NE(out.palette.get(), c.palette);
            EXPECT_EQ(testpix::PaletteBytes(out.palette.get()), testpix::PaletteBytes(c.palette));
        }

        std::vector<uint8_t> file = image.SaveToBmp();
        Bitmap back;
        back.LoadFromBmp(file);
        EXPECT_EQ(back.Format(), image.Format());
        EXPECT_EQ(testpix::ReadPixels(back.Handle()), pixels);
        EXPECT_EQ(back.Palette() != nullptr, c.colors > 0);  // made from the colour table
        const std::string path = folder.File("picture.bmp");
        testing_support::WriteWholeFile(path, std::string(file.begin(), file.end()));
        UniqueBitmap loaded(static_cast<HBITMAP>(
            LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(testpix::ReadPixels(loaded.get()), pixels);
    }
}
