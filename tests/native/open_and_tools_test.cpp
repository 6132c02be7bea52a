// The mail address of "发送邮件...", the home page's target, the window capture's
// frame and what the shell's failures say.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/Help.h"
#include "shell/MailAddress.h"
#include "shell/ShellResult.h"
#include "shell/Tools.h"

using namespace shell;

TEST(MailAddress, LineBreaksBecomeCrLfAndEverythingElseThatCouldCutTheBodyIsEncoded) {
    EXPECT_EQ(MailAddress(""), "mailto:?body=");
    // Every kind of line break arrives as the mail's CR LF.
    EXPECT_EQ(MailAddress("a\nb\rc\r\n\nd"), "mailto:?body=a%0D%0Ab%0D%0Ac%0D%0A%0D%0Ad");
    // "&" would start another field, "#" a fragment, a stray "%" spoil the address.
    EXPECT_EQ(MailAddress("Tom & Jerry #1 100% ?=+"), "mailto:?body=Tom%20%26%20Jerry%20%231%20100%25%20%3F%3D%2B");
    EXPECT_EQ(MailAddress("a-b_c.d~e/f:g@h"), "mailto:?body=a-b_c.d~e%2Ff%3Ag%40h");
    // Chinese text as the UTF-8 of its characters: 中 is E4 B8 AD, 文 E6 96 87.
    EXPECT_EQ(MailAddress("中文!"), "mailto:?body=%E4%B8%AD%E6%96%87%21");
}

TEST(ToolsMenu, WindowCaptureTakesTheFramesPartOnTheScreen) {
    // Two monitors, the second left of the primary one.
    const ScreenArea screen{-1280, 0, 1920, 1080};
    EXPECT_EQ(VisiblePart({100, 100, 500, 400}, screen), (ScreenArea{100, 100, 500, 400}));
    EXPECT_EQ(VisiblePart({-1300, -20, -1000, 300}, screen), (ScreenArea{-1280, 0, -1000, 300}));
    EXPECT_EQ(VisiblePart({1800, 1000, 2200, 1200}, screen), (ScreenArea{1800, 1000, 1920, 1080}));
    EXPECT_TRUE(VisiblePart({3000, 0, 3400, 300}, screen).Empty());  // wholly off the screen
    EXPECT_TRUE(VisiblePart({100, 100, 100, 400}, screen).Empty());  // no width
}

TEST(HomePage, AHelpPageOpensInTheViewerAWebAddressAsItIs) {
    EXPECT_EQ(HomePageTarget("Pellacor.chm::/index.htm", "C:\\Program Files\\Pellacor\\"),
              (ShellTarget{"hh.exe", "C:\\Program Files\\Pellacor\\Pellacor.chm::/index.htm"}));
    EXPECT_EQ(HomePageTarget("https://pellacor.example/", "C:\\x\\"), (ShellTarget{"https://pellacor.example/", ""}));
    EXPECT_EQ(HomePageTarget(kHomePage, "C:\\x\\").file, "hh.exe");  // today's home page is a page of the help file
}

TEST(ShellResult, EveryDocumentedFailureHasItsOwnTextAndNoneSaysSuccess) {
    // 0, the two "not found", access, memory, bad format, then SE_ERR_SHARE to SE_ERR_DLLNOTFOUND.
    const int documented[] = {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32};
    const std::string unknown = ShellResultText(1);
    std::set<std::string> texts;
    for (int code : documented) {
        std::string text = ShellResultText(code);
        EXPECT_TRUE(ShellFailed(code));
        EXPECT_TRUE(texts.insert(text).second) << code << ": " << text;
        EXPECT_NE(text, unknown) << code;
        EXPECT_EQ(text.find("成功"), std::string::npos) << code;
    }
    EXPECT_EQ(ShellResultText(28), "动态数据交换 (DDE) 请求超时, 没有完成.");  // not "printer out of paper"
    for (int code : {1, 4, 13, 25}) EXPECT_EQ(texts.count(ShellResultText(code)), 0u) << code;
    EXPECT_EQ(unknown, "系统无法打开它 (外壳返回 1).");
    EXPECT_EQ(ShellResultText(-5), "系统无法打开它 (外壳返回 -5).");
    EXPECT_FALSE(ShellFailed(33));
}
