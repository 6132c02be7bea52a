#include "toolkit/Palette.h"

#include <gtest/gtest.h>

#include <utility>

using namespace toolkit;

TEST(Palette, ContrastRunsFromOneToTwentyOneAndReadableTextIsMovedOnlyAsFarAsNeeded) {
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(0, 0, 0), Rgb(255, 255, 255)), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(90, 90, 90), Rgb(90, 90, 90)), 1.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(255, 0, 0), Rgb(0, 0, 255)), ContrastRatio(Rgb(0, 0, 255), Rgb(255, 0, 0)));

    const Colour menu = Rgb(0xF0, 0xF0, 0xF0), grey = Rgb(0x80, 0x80, 0x80), black = Rgb(0, 0, 0);
    EXPECT_EQ(Readable(black, grey, menu), black);  // already readable: kept
    Colour moved = Readable(grey, black, menu);     // too pale on a light menu: darkened
    EXPECT_GE(ContrastRatio(moved, menu), kReadableContrast);
    EXPECT_GT(Luminance(moved), Luminance(Rgb(0x50, 0x50, 0x50)));  // yet still a grey, not black
    EXPECT_EQ(Readable(grey, grey, Rgb(0x88, 0x88, 0x88)), grey);   // nothing better to go to: the fallback
}

TEST(Palette, EveryTextOfTheDarkColoursReadsWellOnItsBackground) {
    const Palette p = DarkPalette();
    EXPECT_TRUE(p.dark);
    for (auto [text, back] : {std::pair{p.faceText, p.face},
                              {p.grayText, p.face},
                              {p.fieldText, p.field},
                              {p.highlightText, p.highlight},
                              {p.infoText, p.info},
                              {p.menuText, p.menu},
                              {p.menuGrayText, p.menu}}) {
        EXPECT_GE(ContrastRatio(text, back), kReadableContrast) << std::hex << text << " on " << back;
    }
    for (Colour back : {p.face, p.field, p.info, p.menu}) EXPECT_LT(Luminance(back), 0.05);
}
