// Image, file-list and sound clips against the real clipboard.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ClipboardFixture.h"  // windows.h before shellapi.h
#include <shellapi.h>

#include "PixelHelpers.h"
#include "clips/Caption.h"
#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "clips/ClipWave_win.h"
#include "clips/DropFiles.h"
#include "common/Settings.h"

using namespace clips;

namespace {

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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

// A CF_HDROP block as the shell makes it: wide names.
HGLOBAL WideDrop(const std::vector<std::wstring>& names) {
    std::vector<uint8_t> block(20, 0);
    block[0] = 20;
    block[16] = 1;
    for (const std::wstring& name : names) {
        auto* p = reinterpret_cast<const uint8_t*>(name.c_str());
        block.insert(block.end(), p, p + (name.size() + 1) * 2);
    }
    block.insert(block.end(), {0, 0});
    return Block(block.data(), block.size());
}

}  // namespace

using ImageClip = ClipboardFixture;

TEST_F(ImageClip, A640By480PictureIsCapturedCaptionedAndRestoredEqual) {
    std::vector<uint32_t> pattern = testpix::Pattern(640, 480);
    Copy({{CF_BITMAP, testpix::MakeScreenBitmap(640, 480, pattern).release()}});

    toolkit::MenuItem history;
    auto* clip = new TClipImage;
    ASSERT_TRUE(clip->CaptureFromClipboard());
    clip->AddToHistory(history, {});
    EXPECT_EQ(clip->Caption(), "图像  [ 640 x 480 ]");
    EXPECT_EQ(clip->ImageIndex(), kImage);
    EXPECT_TRUE(clip->Default());
    EXPECT_EQ(history.Count(), 1);

    Copy({{CF_TEXT, Text("something else")}});
    clip->RestoreToClipboard();
    EXPECT_EQ(GetClipboardOwner(), Owner());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_PALETTE));
    toolkit::ClipboardSession clipboard(Other());
    auto restored = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(restored, nullptr);
    EXPECT_NE(restored, clip->Bitmap().Handle());
    EXPECT_EQ(testpix::ReadPixels(restored), pattern);
}

TEST_F(ImageClip, APaletteTravelsWithThePicture) {
    std::vector<uint8_t> log(sizeof(LOGPALETTE) + 16 * sizeof(PALETTEENTRY));
    auto* pal = reinterpret_cast<LOGPALETTE*>(log.data());
    pal->palVersion = 0x300;
    pal->palNumEntries = 16;
    for (BYTE i = 0; i < 16; ++i) pal->palPalEntry[i] = {static_cast<BYTE>(i * 16), 0, static_cast<BYTE>(255 - i), 0};
    Copy({{CF_BITMAP, testpix::MakeScreenBitmap(8, 8, testpix::Pattern(8, 8)).release()},
          {CF_PALETTE, CreatePalette(pal)}});

    TClipImage clip;
    ASSERT_TRUE(clip.CaptureFromClipboard());
    ASSERT_NE(clip.Bitmap().Palette(), nullptr);
    Copy({});
    clip.RestoreToClipboard();

    toolkit::ClipboardSession clipboard(Other());
    auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
    ASSERT_NE(palette, nullptr);
    PALETTEENTRY entries[16];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 16, entries), 16u);
    EXPECT_EQ(std::memcmp(entries, pal->palPalEntry, sizeof(entries)), 0);
    EXPECT_EQ(testpix::ReadPixels(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))), testpix::Pattern(8, 8));
}

TEST_F(ImageClip, NothingIsCapturedWithoutAPictureOrAnOpenClipboard) {
    Copy({{CF_TEXT, Text("words")}});
    TClipImage clip;
    EXPECT_FALSE(clip.CaptureFromClipboard());
    EXPECT_TRUE(clip.Bitmap().Empty());

    Copy({{CF_BITMAP, testpix::MakeScreenBitmap(2, 2, testpix::Pattern(2, 2)).release()}});
    toolkit::ClipboardSession busy(Other());  // someone else holds the clipboard open
    EXPECT_FALSE(clip.CaptureFromClipboard());
}

using FilesClip = ClipboardFixture;

TEST_F(FilesClip, ThreeFilesRoundTripThroughHdrop) {
    Copy({{CF_HDROP, WideDrop({L"C:\\docs\\a.txt", L"C:\\照片\\b.jpg", L"D:\\c"})}});

    toolkit::MenuItem history;
    auto* clip = new TClipFiles;
    ASSERT_TRUE(clip->CaptureFromClipboard());
    const std::string list = "C:\\docs\\a.txt\r\nC:\\照片\\b.jpg\r\nD:\\c\r\n";
    EXPECT_EQ(clip->FileList, list);
    clip->AddToHistory(history, {});
    EXPECT_EQ(clip->Caption(), MakeCaption(list, common::settings().MaxCaptionLength));
    EXPECT_EQ(clip->ImageIndex(), kFileList);

    Copy({{CF_TEXT, Text("other")}});
    clip->RestoreToClipboard();
    EXPECT_EQ(GetClipboardOwner(), Owner());
    EXPECT_EQ(Read(CF_HDROP), BuildDropFiles(list));
    {
        toolkit::ClipboardSession clipboard(Other());
        auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
        ASSERT_EQ(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0), 3u);
        char name[260];
        DragQueryFileA(drop, 1, name, sizeof(name));
        EXPECT_STREQ(name, "C:\\照片\\b.jpg");
    }
    EXPECT_EQ(clip->FileList, list);  // the clip still lists three files
}

TEST_F(FilesClip, LongNamesAreCutTo259Bytes) {
    std::wstring longName = L"C:\\" + std::wstring(300, L'x');
    Copy({{CF_HDROP, WideDrop({longName, L"C:\\short"})}});
    TClipFiles clip;
    ASSERT_TRUE(clip.CaptureFromClipboard());
    EXPECT_EQ(clip.FileList, "C:\\" + std::string(256, 'x') + "\r\nC:\\short\r\n");
}

TEST_F(FilesClip, AnUnendedOrEmptyListIsNotCaptured) {
    std::vector<uint8_t> unended(20, 0);
    unended[0] = 20;
    unended.insert(unended.end(), {'C', ':', '\\', 'a'});
    Copy({{CF_HDROP, Block(unended.data(), unended.size())}});
    TClipFiles clip;
    EXPECT_FALSE(clip.CaptureFromClipboard());
    EXPECT_EQ(clip.FileList, "");

    std::vector<uint8_t> empty = BuildDropFiles("");
    Copy({{CF_HDROP, Block(empty.data(), empty.size())}});
    EXPECT_FALSE(clip.CaptureFromClipboard());
}

class WaveClip : public ClipboardFixture {
protected:
    void TearDown() override {
        for (const std::string& path : made_) DeleteFileA(path.c_str());
        ClipboardFixture::TearDown();
    }
    // Copies a CF_WAVE block of `allocated` bytes that begins with `riff`.
    void CopyWave(const std::vector<uint8_t>& riff, size_t allocated) {
        Copy({{CF_WAVE, Block(riff.data(), std::min(riff.size(), allocated), allocated)}});
    }
    void Forget(const TClipWave& clip) {
        if (!clip.FilePath.empty()) made_.push_back(clip.FilePath);
    }

private:
    std::vector<std::string> made_;
};

TEST_F(WaveClip, TheTemporaryFileHoldsExactlyTheRiffFileAndOutlivesTheClip) {
    std::vector<uint8_t> riff = Riff(1000);
    CopyWave(riff, riff.size() + 100);  // the block is larger than the sound

    toolkit::MenuItem history;
    auto* clip = new TClipWave;
    ASSERT_TRUE(clip->CaptureFromClipboard());
    Forget(*clip);
    clip->AddToHistory(history, {});
    EXPECT_EQ(clip->Caption(), "Wave 声音");
    EXPECT_EQ(clip->ImageIndex(), kWave);

    std::string path = clip->FilePath;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    EXPECT_EQ(std::filesystem::path(path).parent_path(), std::filesystem::path(folder).parent_path());
    EXPECT_EQ(std::filesystem::path(path).filename().string().substr(0, 3), "Clp");
    EXPECT_EQ(ReadFileBytes(path), riff);

    Copy({{CF_TEXT, Text("other")}});
    clip->RestoreToClipboard();
    EXPECT_EQ(GetClipboardOwner(), Owner());
    EXPECT_EQ(Read(CF_WAVE), riff);

    delete clip;
    EXPECT_EQ(history.Count(), 0);
    EXPECT_TRUE(FileExists(path));
}

TEST_F(WaveClip, ABlockShorterThanItsHeaderSaysIsCopiedAsFarAsItGoes) {
    std::vector<uint8_t> riff = Riff(5000);
    CopyWave(riff, 60);
    TClipWave clip;
    ASSERT_TRUE(clip.CaptureFromClipboard());
    Forget(clip);
    EXPECT_EQ(ReadFileBytes(clip.FilePath), std::vector<uint8_t>(riff.begin(), riff.begin() + 60));
}

TEST_F(WaveClip, ABlockWithoutARiffHeaderIsNotCaptured) {
    CopyWave(Riff(44), 7);
    TClipWave clip;
    EXPECT_FALSE(clip.CaptureFromClipboard());
    EXPECT_EQ(clip.FilePath, "");
}

TEST_F(WaveClip, RestoringAMissingOrEmptyFileLeavesTheClipboardAlone) {
    std::vector<uint8_t> riff = Riff(44);
    CopyWave(riff, riff.size());
    TClipWave clip;
    ASSERT_TRUE(clip.CaptureFromClipboard());
    Forget(clip);

    Copy({{CF_TEXT, Text("keep me")}});
    std::ofstream(clip.FilePath, std::ios::trunc).close();
    clip.RestoreToClipboard();
    EXPECT_EQ(GetClipboardOwner(), Other());

    ASSERT_TRUE(DeleteFileA(clip.FilePath.c_str()));
    clip.RestoreToClipboard();
    EXPECT_EQ(GetClipboardOwner(), Other());
    EXPECT_EQ(Read(CF_TEXT), std::vector<uint8_t>({'k', 'e', 'e', 'p', ' ', 'm', 'e', 0}));

    TClipWave noFile;
    noFile.RestoreToClipboard();
    EXPECT_EQ(GetClipboardOwner(), Other());
}
