// The capture routine with pictures, file lists and sounds on the real clipboard.
#include <vector>

#include "ClipboardFixture.h"
#include "PixelHelpers.h"
#include "TestSupport_win.h"
#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "clips/ClipWave_win.h"
#include "clips/DropFiles.h"
#include "common/Settings.h"
#include "history/History_win.h"

using namespace clips;

namespace {

HGLOBAL Drop(std::string_view fileList) {
    std::vector<uint8_t> block = BuildDropFiles(fileList);
    return Block(block.data(), block.size());
}

HGLOBAL Wave() {
    const uint8_t riff[12] = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
    return Block(riff, sizeof(riff));
}

HANDLE Picture(int width, int height) {
    return testpix::MakeScreenBitmap(width, height, testpix::Pattern(width, height)).release();
}

class CaptureMedia : public ClipboardFixture {
protected:
    void SetUp() override {
        ClipboardFixture::SetUp();
        savedSettings_ = common::settings();
    }
    void TearDown() override {
        for (int i = 0; i < menu_.Count(); ++i) {
            if (auto* wave = dynamic_cast<TClipWave*>(menu_.Items(i))) DeleteFileA(wave->FilePath.c_str());
        }
        common::settings() = savedSettings_;
        EXPECT_TRUE(boxes_.boxes.empty()) << boxes_.boxes.front().text;
        ClipboardFixture::TearDown();
    }

    // The clipboard clips, oldest first.
    std::vector<toolkit::MenuItem*> ClipboardClips() const {
        std::vector<toolkit::MenuItem*> items;
        for (int i = history_.ClipboardSeparatorIndex() + 2; i < menu_.Count(); ++i) items.push_back(menu_.Items(i));
        return items;
    }

    toolkit::MenuItem menu_;
    history::History history_{menu_};
    testing_support::MessageBoxRecorder boxes_;

private:
    common::Settings savedSettings_;
};

}  // namespace

TEST_F(CaptureMedia, APictureWithAFileListGivesAnImageThenAFileListHoldingTheMark) {
    Copy({{CF_BITMAP, Picture(30, 20)}, {CF_HDROP, Drop("C:\\p\\shot.bmp\r\n")}});
    history_.ClipboardChanged();

    std::vector<toolkit::MenuItem*> clips = ClipboardClips();
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0]->ImageIndex(), kImage);
    EXPECT_EQ(clips[0]->Caption(), "图像  [ 30 x 20 ]");
    EXPECT_FALSE(clips[0]->Default());
    ASSERT_EQ(clips[1]->ImageIndex(), kFileList);
    EXPECT_EQ(static_cast<TClipFiles*>(clips[1])->FileList, "C:\\p\\shot.bmp\r\n");
    EXPECT_TRUE(clips[1]->Default());
    EXPECT_FALSE(history_.mniClipboardHistoryEmpty->Visible());
}

TEST_F(CaptureMedia, TextPictureFilesAndSoundOfOneChangeComeInThatOrder) {
    Copy({{CF_WAVE, Wave()}, {CF_HDROP, Drop("C:\\a\r\n")}, {CF_BITMAP, Picture(2, 2)}, {CF_TEXT, Text("words")}});
    history_.ClipboardChanged();

    std::vector<toolkit::MenuItem*> clips = ClipboardClips();
    ASSERT_EQ(clips.size(), 4u);
    EXPECT_EQ(clips[0]->ImageIndex(), kPlainText);
    EXPECT_EQ(clips[1]->ImageIndex(), kImage);
    EXPECT_EQ(clips[2]->ImageIndex(), kFileList);
    EXPECT_EQ(clips[3]->ImageIndex(), kWave);
    EXPECT_EQ(clips[3]->Caption(), "Wave 声音");
    EXPECT_TRUE(clips[3]->Default());
}

TEST_F(CaptureMedia, TheSameFilesTwiceWithDuplicatesRefusedAddOneClip) {
    common::settings().NoDuplicatedEntries = true;
    Copy({{CF_HDROP, Drop("C:\\Docs\\a.txt\r\nC:\\Docs\\b.txt\r\n")}});
    history_.ClipboardChanged();
    Copy({{CF_TEXT, Text("in between")}});
    history_.ClipboardChanged();
    Copy({{CF_HDROP, Drop("c:\\docs\\A.TXT\r\nC:\\Docs\\b.txt\r\n")}});  // letter case does not count
    history_.ClipboardChanged();

    std::vector<toolkit::MenuItem*> clips = ClipboardClips();
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0]->ImageIndex(), kFileList);
    EXPECT_TRUE(clips[0]->Default());  // the older equal entry stands for the clipboard
    EXPECT_FALSE(clips[1]->Default());

    common::settings().NoDuplicatedEntries = false;
    history_.ClipboardChanged();
    EXPECT_EQ(ClipboardClips().size(), 3u);
}

TEST_F(CaptureMedia, ClipboardContentThatHoldsNothingAddsNoClip) {
    std::vector<uint8_t> shortWave = {'R', 'I', 'F', 'F'};
    Copy({{CF_HDROP, Drop("")}, {CF_WAVE, Block(shortWave.data(), shortWave.size())}});
    history_.ClipboardChanged();
    EXPECT_TRUE(ClipboardClips().empty());
    EXPECT_TRUE(history_.mniClipboardHistoryEmpty->Visible());
}

TEST_F(CaptureMedia, ClickingAPictureRestoresItAndMovesTheMark) {
    std::vector<uint32_t> pattern = testpix::Pattern(12, 9);
    Copy({{CF_BITMAP, testpix::MakeScreenBitmap(12, 9, pattern).release()}});
    history_.ClipboardChanged();
    Copy({{CF_HDROP, Drop("C:\\x\r\n")}});
    history_.ClipboardChanged();
    std::vector<toolkit::MenuItem*> clips = ClipboardClips();
    ASSERT_EQ(clips.size(), 2u);

    clips[0]->Click();
    EXPECT_TRUE(clips[0]->Default());
    EXPECT_FALSE(clips[1]->Default());
    EXPECT_EQ(GetClipboardOwner(), Owner());
    history_.ClipboardChanged();  // our own write: nothing new
    EXPECT_EQ(ClipboardClips().size(), 2u);
    toolkit::ClipboardSession clipboard(Other());
    EXPECT_EQ(testpix::ReadPixels(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))), pattern);
}

TEST_F(CaptureMedia, ASoundWithoutATemporaryFolderIsKeptWithoutAFile) {
    char saved[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    SetEnvironmentVariableA("TMP", "Z:\\no\\such\\folder\\");
    Copy({{CF_WAVE, Wave()}});
    history_.ClipboardChanged();
    SetEnvironmentVariableA("TMP", saved[0] ? saved : nullptr);

    std::vector<toolkit::MenuItem*> clips = ClipboardClips();
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(static_cast<TClipWave*>(clips[0])->FilePath, "");
    Copy({{CF_TEXT, Text("kept")}});
    clips[0]->Click();  // nothing to restore: the clipboard stays as it was
    EXPECT_EQ(GetClipboardOwner(), Other());
    EXPECT_TRUE(clips[0]->Default());
}
