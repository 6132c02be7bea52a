// The mail address of "发送邮件...", the home page's target and the rules of the Tools submenu.
#include <gtest/gtest.h>

#include <cctype>
#include <vector>

#include "common/CodePage.h"
#include "preview/Help.h"
#include "preview/MailAddress.h"
#include "preview/Tools.h"

using namespace preview;

namespace {
const std::string kPrefix = "mailto:?body=";

// What a mail program makes of the address: the body, percent-decoded, back in the ANSI code page.
std::string DecodedBody(const std::string& address) {
    EXPECT_EQ(address.compare(0, kPrefix.size(), kPrefix), 0) << address;
    std::string utf8;
    for (size_t i = kPrefix.size(); i < address.size(); ++i) {
        if (address[i] == '%' && i + 2 < address.size() && std::isxdigit(address[i + 1]) &&
            std::isxdigit(address[i + 2])) {
            utf8 += static_cast<char>(std::stoi(address.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            utf8 += address[i];
        }
    }
    return common::Utf8ToAnsi(utf8);
}
}  // namespace

TEST(MailAddress, LineBreaksBecomeCrLfAndNothingCutsTheBody) {
    EXPECT_EQ(MailAddress("a\r\nb"), "mailto:?body=a%0D%0Ab");
    // Every kind of line break arrives as the mail's CR LF.
    EXPECT_EQ(MailAddress("a\nb\rc\r\n\nd"), "mailto:?body=a%0D%0Ab%0D%0Ac%0D%0A%0D%0Ad");
    // "&" would start another field, "#" a fragment, a stray "%" spoil the address.
    EXPECT_EQ(MailAddress("Tom & Jerry #1 100% ?=+"), "mailto:?body=Tom%20%26%20Jerry%20%231%20100%25%20%3F%3D%2B");
    EXPECT_EQ(MailAddress(""), kPrefix);
}

TEST(MailAddress, EveryTextComesBackWholeFromTheAddress) {
    for (const std::string& text : std::vector<std::string>{"中文文本：你好，世界！", "第一行\r\n第二行 & 更多 #标记 50%", "a-b_c.d~e/f:g@h",
                             std::string(5000, 'x') + "尾"}) {
        std::string address = MailAddress(text);
        for (size_t i = kPrefix.size(); i < address.size(); ++i) {
            auto c = static_cast<unsigned char>(address[i]);
            EXPECT_TRUE(std::isalnum(c) || std::string_view("-._~%").find(static_cast<char>(c)) != std::string::npos)
                << "byte " << int(c) << " left as it is";
        }
        EXPECT_EQ(DecodedBody(address), text);
    }
    // Chinese text as the UTF-8 of its characters: 中 is E4 B8 AD.
    EXPECT_EQ(MailAddress("中"), "mailto:?body=%E4%B8%AD");
}

TEST(ToolsMenu, EmptyClipboardOnlyWhenThereIsSomethingToEmpty) {
    EXPECT_FALSE(EmptyClipboardEnabled(0));
    EXPECT_FALSE(EmptyClipboardEnabled(-1));
    EXPECT_TRUE(EmptyClipboardEnabled(1));
    EXPECT_TRUE(EmptyClipboardEnabled(12));
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
    // Today's home page is a page of the help file.
    EXPECT_EQ(HomePageTarget(kHomePage, "C:\\x\\").file, "hh.exe");
    EXPECT_EQ(kHomePage.substr(0, kHelpFile.size()), kHelpFile);
}
