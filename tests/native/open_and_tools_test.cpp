// The mail address of "发送邮件...", the home page's target and the window capture's frame.
#include <gtest/gtest.h>

#include "shell/Help.h"
#include "shell/MailAddress.h"
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
