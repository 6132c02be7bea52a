// Picture, file-list and sound clips: captured from the real clipboard by the
// capture routine, and restored when chosen.
#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>

#include "HistoryFixture.h"  // windows.h before shellapi.h
#include <shellapi.h>

#include "PixelHelpers.h"
#include "clips/Caption.h"
#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "clips/DropFiles.h"

using namespace clips;
using namespace clipboard;
using namespace testing_support;
using namespace std::string_view_literals;

namespace {

// A packed DIB as another program puts it on the clipboard: `header`, then
// `tail` (masks, colour table, pixels).
Format Dib(const BITMAPINFOHEADER& header, const std::string& tail) {
    std::string block(reinterpret_cast<const char*>(&header), sizeof(header));
    return {CF_DIB, Block(block + tail)};
}

Format Picture(int width, int height) {
    return {CF_BITMAP, testpix::MakeScreenBitmap(width, height, testpix::Pattern(width, height)).release()};
}

Format Drop(std::string_view fileList) {
    std::vector<uint8_t> block = BuildDropFiles(fileList);
    return {CF_HDROP, Block(block.data(), block.size())};
}

// A CF_HDROP block as the shell makes it: wide names, each ended by a zero, then a final zero.
Format WideDrop(std::wstring_view names) {
    std::string block(20, '\0');
    block[0] = 20;
    block[16] = 1;
    block.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
    return {CF_HDROP, Block(block)};
}

// A RIFF file of `length` bytes in all (header included).
std::vector<uint8_t> Riff(uint32_t length) {
    std::vector<uint8_t> riff(length);
    std::memcpy(riff.data(), "RIFF", 4);
    uint32_t chunk = length - 8;
    std::memcpy(riff.data() + 4, &chunk, 4);
    std::memcpy(riff.data() + 8, "WAVE", 4);
    for (size_t i = 12; i < riff.size(); ++i) riff[i] = static_cast<uint8_t>(i * 7);
    return riff;
}
// A CF_WAVE block of `allocated` bytes that begins with `riff`.
Format Wave(const std::vector<uint8_t>& riff, size_t allocated) {
    return {CF_WAVE, Block(riff.data(), std::min(riff.size(), allocated), allocated)};
}

}  // namespace

using MediaClips = HistoryFixture;

TEST_F(MediaClips, A640By480PictureIsCapturedAndRestoredEqualWhenChosen) {
    std::vector<uint32_t> pattern = testpix::Pattern(640, 480);
    Copy({{CF_BITMAP, testpix::MakeScreenBitmap(640, 480, pattern).release()}});
    ASSERT_EQ(Clips(), 1);
    auto* clip = NewestAs<TClipImage>();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->Caption(), "图像  [ 640 x 480 ]");
    EXPECT_EQ(clip->Kind(), kImage);
    EXPECT_TRUE(Marked(clip));

    CopyText("something else");  // the clipboard's picture is gone: the clip holds a copy
    Pick(clip);
    EXPECT_TRUE(Marked(clip));
    EXPECT_EQ(GetClipboardOwner(), ours.Handle());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_PALETTE));
    history->ClipboardChanged();  // our own write: nothing new
    EXPECT_EQ(Clips(), 2);
    toolkit::ClipboardSession clipboard(other.Handle());
    auto restored = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    EXPECT_NE(restored, clip->Bitmap().Handle());  // a copy of its own
    EXPECT_EQ(testpix::ReadPixels(restored), pattern);
}

TEST_F(MediaClips, EachKindOfOneChangeAddsAClipInTheirOrderAndTheLastHoldsTheMark) {
    Copy({Picture(30, 20), Drop("C:\\p\\shot.bmp\r\n")});
    std::vector<clips::TClip*> clips = ClipboardClips();
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0]->Kind(), kImage);
    EXPECT_EQ(clips[0]->Caption(), "图像  [ 30 x 20 ]");
    EXPECT_FALSE(Marked(clips[0]));
    ASSERT_EQ(clips[1]->Kind(), kFileList);
    EXPECT_EQ(static_cast<TClipFiles*>(clips[1])->FileList, "C:\\p\\shot.bmp\r\n");
    EXPECT_TRUE(Marked(clips[1]));

    // Pictures and sounds are never taken for duplicates.
    Copy({Wave(Riff(44), 44), Drop("C:\\a\r\n"), Picture(30, 20), Text(CF_TEXT, "words")});
    Copy({Wave(Riff(44), 44)});
    clips = ClipboardClips();
    ASSERT_EQ(clips.size(), 7u);
    const int kinds[] = {kPlainText, kImage, kFileList, kWave, kWave};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(clips[2 + i]->Kind(), kinds[i]) << i;
    EXPECT_EQ(clips[5]->Caption(), "Wave 声音");
    EXPECT_EQ(MarkedItems(), 1);
    EXPECT_TRUE(Marked(clips[6]));
}

TEST_F(MediaClips, ThreeFilesRoundTripThroughHdropWithTheirWideNames) {
    Copy({WideDrop(L"C:\\docs\\a.txt\0C:\\照片\\한국어 😀 文件.txt\0D:\\c\0\0"sv)});
    auto* clip = NewestAs<TClipFiles>();
    ASSERT_NE(clip, nullptr);
    const std::string list = "C:\\docs\\a.txt\r\nC:\\照片\\한국어 😀 文件.txt\r\nD:\\c\r\n";
    EXPECT_EQ(clip->FileList, list);
    EXPECT_EQ(clip->Caption(), MakeCaption(list, 20));

    CopyText("other");
    Pick(clip);
    EXPECT_EQ(GetClipboardOwner(), ours.Handle());
    EXPECT_EQ(Read(CF_HDROP), BuildDropFiles(list));
    toolkit::ClipboardSession clipboard(other.Handle());
    auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    ASSERT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 3u);
    wchar_t name[260];
    DragQueryFileW(drop, 1, name, 260);
    EXPECT_EQ(common::Utf8(name), "C:\\照片\\한국어 😀 文件.txt");
}

TEST_F(MediaClips, TheSameFilesTwiceWithDuplicatesRefusedAddOneClip) {
    Copy({Drop("C:\\Docs\\a.txt\r\nC:\\Docs\\b.txt\r\n")});
    CopyText("in between");
    Copy({Drop("c:\\docs\\A.TXT\r\nC:\\Docs\\b.txt\r\n")});  // letter case does not count
    std::vector<clips::TClip*> clips = ClipboardClips();
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_TRUE(Marked(clips[0]));  // the older equal entry stands for the clipboard
    settings.NoDuplicatedEntries = false;
    Copy({Drop("c:\\docs\\A.TXT\r\nC:\\Docs\\b.txt\r\n")});
    EXPECT_EQ(Clips(), 3);
}

TEST_F(MediaClips, TheSoundFileHoldsExactlyTheRiffFileAndOutlivesTheClip) {
    std::vector<uint8_t> riff = Riff(1000);
    Copy({Wave(riff, riff.size() + 100)});  // the block is larger than the sound
    auto* clip = NewestAs<TClipWave>();
    ASSERT_NE(clip, nullptr);
    const std::string path = clip->FilePath;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    EXPECT_EQ(path.substr(0, strlen(folder) + 3), std::string(folder) + "Clp");
    EXPECT_EQ(ReadWholeFile(path), std::string(riff.begin(), riff.end()));

    CopyText("other");
    Pick(clip);
    EXPECT_EQ(GetClipboardOwner(), ours.Handle());
    EXPECT_EQ(Read(CF_WAVE), riff);
    history->Remove(*clip);
    EXPECT_TRUE(FileExists(path));
    DeleteFileA(path.c_str());
}

TEST_F(MediaClips, ABlockShorterThanItsHeaderSaysIsCopiedAsFarAsItGoes) {
    std::vector<uint8_t> riff = Riff(5000);
    Copy({Wave(riff, 60)});
    ASSERT_NE(NewestAs<TClipWave>(), nullptr);
    std::string copied = ReadWholeFile(NewestAs<TClipWave>()->FilePath);
    EXPECT_EQ(copied, std::string(riff.begin(), riff.begin() + 60));
}

TEST_F(MediaClips, ASoundWhoseFileIsMissingOrEmptyLeavesTheClipboardAlone) {
    Copy({Wave(Riff(44), 44)});
    auto* clip = NewestAs<TClipWave>();
    ASSERT_NE(clip, nullptr);
    CopyText("keep me");
    std::ofstream(clip->FilePath, std::ios::trunc).close();
    Pick(clip);
    EXPECT_EQ(GetClipboardOwner(), other.Handle());
    EXPECT_TRUE(Marked(clip));  // the user chose it all the same
    ASSERT_TRUE(DeleteFileA(clip->FilePath.c_str()));
    clip->RestoreToClipboard();
    EXPECT_EQ(ReadText(CF_TEXT), "keep me");
}

TEST_F(MediaClips, PicturesAreReadFromTheirOwnBlockPixelForPixelWithTheirColourTable) {
    // 24 bits, 3 x 2, rows top-down, each padded to 12 bytes.
    const std::string rows = std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09", 9) + std::string(3, '\0') +
                             std::string("\x0A\x0B\x0C\x0D\x0E\x0F\x10\x11\x12", 9) + std::string(3, '\0');
    Copy({Dib({sizeof(BITMAPINFOHEADER), 3, -2, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, rows)});
    auto* clip = NewestAs<TClipImage>();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->Caption(), "图像  [ 3 x 2 ]");
    EXPECT_EQ(clip->Bitmap().BitsPerPixel(), 24);
    const std::vector<uint32_t> expected = {0x0C0B0A, 0x0F0E0D, 0x121110, 0x030201, 0x060504, 0x090807};
    EXPECT_EQ(testpix::ReadPixels(clip->Bitmap().Handle()), expected);  // bottom row first

    // 8 bits with a colour table of 4: the picture keeps a palette of its table.
    std::string table = std::string("\x00\x00\xFF\x00\x00\xFF\x00\x00\xFF\x00\x00\x00\x10\x20\x30\x00", 16);
    Copy({Dib({sizeof(BITMAPINFOHEADER), 2, 2, 1, 8, BI_RGB, 0, 0, 0, 4, 0}, table + std::string("\x00\x01\0\0\x02\x03\0\0", 8))});
    clip = NewestAs<TClipImage>();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->Bitmap().BitsPerPixel(), 8);
    ASSERT_NE(clip->Bitmap().Palette(), nullptr);
    EXPECT_EQ(GetPaletteEntries(clip->Bitmap().Palette(), 0, 0, nullptr), 4u);
    CopyText("other");
    Pick(clip);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_PALETTE));
    toolkit::ClipboardSession clipboard(other.Handle());
    EXPECT_EQ(testpix::ReadPixels(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))),
              (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x302010}));
}

TEST_F(MediaClips, HostilePicturesAreRefusedWithAMessageThatSaysWhatIsWrong) {
    const BITMAPINFOHEADER huge{sizeof(BITMAPINFOHEADER), 4000, 4000, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const BITMAPINFOHEADER manyColours{sizeof(BITMAPINFOHEADER), 2, 2, 1, 8, BI_RGB, 0, 0, 0, 100000, 0};
    const struct {
        Format picture;
        const char* problem;
        toolkit::BmpProblem reason;
    } cases[] = {
        {{CF_DIB, Block(std::string("\x28\0\0\0\x10\0\0\0\x10\0\0\0\x01\0\x20\0", 16))}, "cut short",
         toolkit::BmpProblem::InfoHeaderCutShort},
        {Dib(huge, std::string(64, '\x7F')), "the pixel rows need", toolkit::BmpProblem::PixelsCutShort},
        {Dib(manyColours, std::string(64, '\x7F')), "colour table", toolkit::BmpProblem::ColorTableTooLarge},
    };
    CopyText("before");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        Copy({c.picture, Text(CF_TEXT, std::string("beside ") + c.problem)});
        ASSERT_NE(NewestAs<TClipText>(), nullptr);  // the text beside it still counts
        EXPECT_EQ(NewestAs<TClipText>()->Text, std::string("beside ") + c.problem);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].title, common::TitleText(common::BoxTitle::Error));
        EXPECT_EQ(boxes.boxes[0].text, std::string("剪贴板上的图像无法读取: ") + toolkit::BmpProblemText(c.reason));
        boxes.boxes.clear();
    }
}

TEST_F(MediaClips, TheClipboardIsFreeWhileTheSoundFileIsWritten) {
    // A temporary folder of our own, watched by another program's thread that
    // tries the clipboard as soon as a file appears in it.
    TempFolder temp;
    TemporaryFolderSetTo tmp(temp.Path());
    toolkit::UniqueKernelHandle change(FindFirstChangeNotificationA(temp.Path().c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
    ASSERT_NE(change.get(), INVALID_HANDLE_VALUE);
    std::atomic<int> clipboardFree{-1};
    std::thread other([&] {
        if (WaitForSingleObject(change.get(), 10000) != WAIT_OBJECT_0) return;
        clipboardFree = OpenClipboard(nullptr) ? 1 : 0;
        if (clipboardFree == 1) CloseClipboard();
    });
    std::vector<uint8_t> riff = Riff(64 << 20);  // long enough to take a while to write
    Copy({Wave(riff, riff.size())});
    other.join();
    FindCloseChangeNotification(change.release());
    auto* clip = NewestAs<TClipWave>();
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clipboardFree, 1) << "the clipboard was held while the sound file was written";
    EXPECT_EQ(GetFileSize(toolkit::UniqueFile(CreateFileA(clip->FilePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                          OPEN_EXISTING, 0, nullptr)).get(), nullptr),
              riff.size());
}
