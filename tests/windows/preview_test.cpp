// The preview window and the hover glue, on the real desktop of Wine.
#include <gtest/gtest.h>

#include "HistoryFixture.h"
#include "PixelHelpers.h"
#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "preview/HoverPreview_win.h"
#include "preview/PreviewText.h"

using preview::TPreview;
using namespace testing_support;

namespace {
const std::string kInfo = "格式 : 图像\r\n来源 : test.exe\r\n尺寸 : 1 x 1\r\n\r\n状态 : 不在剪贴板中\r\n捕获时间 : 今天";

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

toolkit::Bitmap Picture(int width, int height, uint32_t colour) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, colour);
    toolkit::UniqueBitmap screen = testpix::MakeScreenBitmap(width, height, pixels);
    toolkit::Bitmap bitmap;
    bitmap.LoadFromClipboardFormat(screen.get(), nullptr);
    return bitmap;
}

// The colour the screen shows at a point of a window's client area.
COLORREF PixelAt(HWND hwnd, int x, int y) {
    toolkit::WindowDC dc(hwnd);
    return GetPixel(dc.get(), x, y);
}
}  // namespace

TEST(Preview, TextSitsAtThePointerWrappedAtThreeHundredPixels) {
    SetCursorPos(900, 700);
    TPreview preview;
    std::string words;
    for (int i = 0; i < 300; ++i) words += "word ";
    preview.ShowText(words, kInfo);
    ASSERT_TRUE(IsWindowVisible(preview.Handle()));
    RECT info = preview.CalcHintRect(300, kInfo);
    EXPECT_EQ(preview.SeparatorY(), info.bottom + preview.LineHeight());
    RECT r = WindowRect(preview.Handle());
    EXPECT_EQ(r.right, 900);  // the lower right corner at the pointer, 4 pixels lower
    EXPECT_EQ(r.bottom, 704);
    EXPECT_LE(r.right - r.left, 306);
    RECT content = preview.CalcHintRect(300, preview::ContentBlock(words));
    EXPECT_EQ(r.bottom - r.top, info.bottom + content.bottom - preview.LineHeight() + 4);
    // The dotted separator is drawn at its line (every other pixel dark).
    int dark = 0;
    for (int x = 5; x < 25; ++x) dark += PixelAt(preview.Handle(), x, preview.SeparatorY()) != GetSysColor(COLOR_INFOBK);
    EXPECT_GE(dark, 5);
}

TEST(Preview, PicturesUpToThreeHundredAtTheirSizeLargerOnesStretched) {
    SetCursorPos(900, 700);
    TPreview preview;
    RECT info = preview.CalcHintRect(300, kInfo);
    ASSERT_GT(info.right, 40);  // the info text is wider than the small picture
    const struct {
        int width, height;
        bool stretch;
        LONG expectedWidth, expectedHeight;
    } cases[] = {
        {300, 300, false, std::max<LONG>(info.right, 320), info.bottom + 320},
        {301, 10, true, std::max<LONG>(info.right, 320), info.bottom + 320},
        {10, 301, true, std::max<LONG>(info.right, 320), info.bottom + 320},
        {20, 20, false, info.right, info.bottom + 40},
        {info.right - 15, 5, false, info.right + 5, info.bottom + 25},  // wider than the info text: its width + 20
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        preview.ShowBitmap(Picture(c.width, c.height, 0x0000FF), kInfo);
        EXPECT_EQ(preview.Stretch(), c.stretch);
        RECT r = WindowRect(preview.Handle());
        EXPECT_EQ(r.right - r.left, c.expectedWidth);
        EXPECT_EQ(r.bottom - r.top, c.expectedHeight + 4);
    }
    // The 301 x 10 picture fills the 300-pixel area, 10 pixels in from the edges.
    preview.ShowBitmap(Picture(301, 10, 0xFF0000), kInfo);
    RECT client;
    GetClientRect(preview.Handle(), &client);
    EXPECT_EQ(PixelAt(preview.Handle(), client.right / 2, client.bottom - 160), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(preview.Handle(), client.right / 2, client.bottom - 5), GetSysColor(COLOR_INFOBK));
}

TEST(Preview, NeverActivatedTransparentToTheMouseTopmostAndGoneWhenHidden) {
    HiddenWindow other;
    SetForegroundWindow(other.Handle());
    HWND foreground = GetForegroundWindow();
    SetCursorPos(5, 5);  // near the top left: the window is moved inside the desktop
    TPreview preview;
    preview.ShowText("text", kInfo);
    HWND hwnd = preview.Handle();
    ASSERT_TRUE(IsWindowVisible(hwnd));
    const LONG_PTR styles = WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & styles, styles);
    EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(10, 10)), HTTRANSPARENT);
    EXPECT_EQ(GetForegroundWindow(), foreground);
    EXPECT_NE(GetActiveWindow(), hwnd);
    RECT r = WindowRect(hwnd);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    preview.ReleaseHandle();
    EXPECT_FALSE(IsWindow(hwnd));
}

struct HoverPreviewTest : HistoryFixture {
    std::unique_ptr<preview::HoverPreview> hover;
    void SetUp() override {
        HistoryFixture::SetUp();
        settings.PreviewMode = true;
        hover = std::make_unique<preview::HoverPreview>(root, *history, settings);
    }
    void Select(const toolkit::MenuItem* item) {
        hover->WMMenuSelect(item->Command(), MF_HILITE | MF_STRING, mniHistory->Handle());
    }
    void Select(const clips::TClip* clip) { Select(history->Menu().ItemOf(*clip)); }
    void Tick() { hover->HoverTimerTimer(hover->HoverTimer); }
    bool Shown() const { return hover->Preview.Handle() != nullptr; }
};

TEST_F(HoverPreviewTest, AHighlightArmsTheTickShowsAnythingElseHidesUnlessPreviewModeIsOff) {
    CopyText("  hello  ");
    auto* clip = NewestAs();
    Select(clip);
    EXPECT_EQ(hover->HoverIndex, history->Menu().IndexOf(*clip));
    EXPECT_TRUE(hover->HoverTimer.Running());
    Tick();
    EXPECT_FALSE(hover->HoverTimer.Running());  // one tick per arming
    ASSERT_TRUE(Shown());
    std::string info = preview::InfoText(preview::TextHead("文本", clip->Source, 9), 0, true, clip->CapturedAt);
    EXPECT_EQ(hover->Preview.Caption(), info + "\r\n\r\n\r\nhello");

    hover->WMMenuSelect(0, 0xFFFF, nullptr);  // the menu closed
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(hover->HoverTimer.Running());
    // Headers and markers arm, but their tick shows nothing.
    Select(history->Menu().sepClipboardHistory);
    EXPECT_TRUE(hover->HoverTimer.Running());
    Tick();
    EXPECT_FALSE(Shown());
    // Another menu disarms.
    Select(clip);
    toolkit::UniqueMenu other(CreatePopupMenu());
    hover->WMMenuSelect(history->Menu().ItemOf(*clip)->Command(), MF_HILITE, other.get());
    EXPECT_FALSE(hover->HoverTimer.Running());
    // With PreviewMode off nothing is armed, and a preview on screen is not even hidden.
    Select(clip);
    Tick();
    settings.PreviewMode = false;
    hover->WMMenuSelect(0, 0xFFFF, nullptr);
    EXPECT_TRUE(Shown());
    Select(clip);
    EXPECT_FALSE(hover->HoverTimer.Running());
}

TEST_F(HoverPreviewTest, FileListsNameTheFilesThatExistPicturesAndSoundsShowTheirInfo) {
    TempFolder folder;
    WriteWholeFile(folder.File("one.txt"), "1");
    WriteWholeFile(folder.File("two.txt"), "2");
    auto* files = new clips::TClipFiles;  // owned by the history once appended
    for (const char* name : {"one.txt", "gone.txt", "two.txt"}) files->FileList += folder.File(name) + "\r\n";
    auto* image = new clips::TClipImage;
    image->SetBitmap(Picture(64, 48, 0x00FF00));
    auto* wave = new clips::TClipWave;  // a missing sound file: shown all the same, nothing plays
    wave->FilePath = "C:\\no such folder\\Clp0.tmp";
    const std::pair<clips::TClip*, int> kinds[] = {{files, clips::kFileList}, {image, clips::kImage}, {wave, clips::kWave}};
    for (auto [clip, kind] : kinds) {
        clip->SetKind(kind);
        history->AppendLoaded(std::unique_ptr<clips::TClip>(clip));
    }
    history->Store().SetOnClipboard(image);
    const std::string& caption = hover->Preview.Caption();

    Select(files);
    Tick();
    EXPECT_NE(caption.find("包含 : 3 对象"), std::string::npos) << caption;
    EXPECT_NE(caption.find("one"), std::string::npos) << caption;
    EXPECT_NE(caption.find("two"), std::string::npos) << caption;
    EXPECT_EQ(caption.find("gone"), std::string::npos) << caption;

    Select(image);
    Tick();
    EXPECT_FALSE(hover->Preview.TextMode());
    EXPECT_EQ(caption, preview::InfoText(preview::ImageHead("", 64, 48), 3, true, ""));

    Select(wave);
    Tick();
    EXPECT_EQ(caption,
              preview::InfoText(preview::WaveHead(""), 5, false, "") + preview::ContentBlock(preview::kSoundPlaying));
}
