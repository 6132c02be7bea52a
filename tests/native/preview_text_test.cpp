// The preview's texts: the info block of every kind and the content cut.
#include <gtest/gtest.h>

#include "clips/ClipKind.h"
#include "common/CodePage.h"
#include "preview/PreviewText.h"
#include "toolkit/HintPlacement.h"

using namespace preview;
using namespace clips;

namespace {
const char kTime[] = "星期一 03 三月 2025, 10:20:30";
}

TEST(PreviewInfo, EveryKindWithItsStatus) {
    const struct {
        std::string head;
        int kind;
        bool onClipboard;
        const char* expected;
    } cases[] = {
        {TextHead(kTextLabel, "notepad.exe", 12), 0, true,
         "格式 : 文本\r\n来源 : notepad.exe\r\n长度 : 12 字符\r\n\r\n状态 : 在剪贴板中\r\n捕获时间 : "},
        {TextHead(kRichTextLabel, "wordpad.exe", 5), 1, false,
         "格式 : RTF / 文本\r\n来源 : wordpad.exe\r\n长度 : 5 字符\r\n\r\n状态 : 不在剪贴板中\r\n捕获时间 : "},
        {TextHead(kLinkLabel, "不可用", 19), 6, true,
         "格式 : 链接 (快捷方式) / 文本\r\n来源 : 不可用\r\n长度 : 19 字符\r\n\r\n状态 : 在剪贴板中\r\n捕获时间 : "},
        {TextHead(kHtmlLabel, "firefox.exe", 0), 2, true,
         "格式 : HTML / 文本\r\n来源 : firefox.exe\r\n长度 : 0 字符\r\n\r\n状态 : 在剪贴板中\r\n捕获时间 : "},
        // Pictures and sounds on the clipboard: no blank after the colon.
        {ImageHead("mspaint.exe", 64, 48), 3, true,
         "格式 : 图像\r\n来源 : mspaint.exe\r\n尺寸 : 64 x 48\r\n\r\n状态 :在剪贴板中\r\n捕获时间 : "},
        {ImageHead("mspaint.exe", 1920, 1080), 3, false,
         "格式 : 图像\r\n来源 : mspaint.exe\r\n尺寸 : 1920 x 1080\r\n\r\n状态 : 不在剪贴板中\r\n捕获时间 : "},
        {FilesHead("explorer.exe", 3), 4, true,
         "格式 : 文件\r\n来源 : explorer.exe\r\n包含 : 3 对象\r\n\r\n状态 : 在剪贴板中\r\n捕获时间 : "},
        // A sound's head ends with a line break: two blank lines before the status.
        {WaveHead("sndrec32.exe"), 5, true,
         "格式 : Wave 声音\r\n来源 : sndrec32.exe\r\n\r\n\r\n状态 :在剪贴板中\r\n捕获时间 : "},
        {WaveHead("sndrec32.exe"), 5, false,
         "格式 : Wave 声音\r\n来源 : sndrec32.exe\r\n\r\n\r\n状态 : 不在剪贴板中\r\n捕获时间 : "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InfoText(c.head, c.kind, c.onClipboard, kTime), std::string(c.expected) + kTime) << c.kind;
    // Lengths count as a double-byte code page would: a Chinese character counts two.
    EXPECT_EQ(TextHead(kTextLabel, "x", common::NarrowWidth("中文")), "格式 : 文本\r\n来源 : x\r\n长度 : 4 字符");
}

TEST(PreviewContent, TrimmedAndCutAtFourHundredBytes) {
    std::string whole(400, 'a');
    EXPECT_EQ(ContentBlock(" \r\n" + whole + "\t\r\n"), "\r\n\r\n\r\n" + whole);
    std::string longer = std::string(393, 'b') + "  " + std::string(6, 'c');  // 401 bytes
    // The first 394 bytes end in a blank, which the second trim takes away.
    EXPECT_EQ(ContentBlock(longer), "\r\n\r\n\r\n" + std::string(393, 'b') + "\r\n\r\n...");
    // Blank content: the info block is followed by two blank lines and nothing else.
    for (const char* blank : {"", "  \r\n\t \r\n"}) EXPECT_EQ(ContentBlock(blank), "\r\n\r\n\r\n");
}

TEST(PreviewContent, CutNeverSplitsADoubleByteCharacter) {
    std::string chinese;
    for (int i = 0; i < 10; ++i) chinese += "中";  // two bytes each in code page 936
    // Byte 394 is the lead byte of a character: the cut keeps 393 bytes.
    EXPECT_EQ(ContentBlock(std::string(393, 'a') + chinese), "\r\n\r\n\r\n" + std::string(393, 'a') + "\r\n\r\n...");
    // Byte 394 is a trail byte: the character is whole within 394 bytes.
    EXPECT_EQ(ContentBlock(std::string(392, 'a') + chinese),
              "\r\n\r\n\r\n" + std::string(392, 'a') + "中" + "\r\n\r\n...");
}

TEST(HintPlacement, KeptInsideTheDesktop) {
    const toolkit::HintBox desktop{0, 0, 1280, 800};
    const struct {
        toolkit::HintBox box, expected;
    } cases[] = {
        {{100, 100, 400, 300}, {100, 100, 400, 300}},       // inside: unchanged
        {{-150, -80, 150, 120}, {0, 0, 300, 200}},          // near the top left: moved right and down
        {{1200, 700, 1500, 900}, {980, 600, 1280, 800}},    // past the bottom right: moved left and up
        {{-10, -10, 1400, 900}, {0, 0, 1410, 910}},         // larger than the desktop: the top left wins
    };
    for (const auto& c : cases) EXPECT_EQ(toolkit::KeepInsideDesktop(c.box, desktop), c.expected);
    // A desktop that does not start at 0,0 (a monitor on the left).
    EXPECT_EQ(toolkit::KeepInsideDesktop({-1300, 10, -1200, 60}, {-1280, 0, 1280, 800}),
              (toolkit::HintBox{-1280, 10, -1180, 60}));
}
