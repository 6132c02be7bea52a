// Menu captions and the link test, on code-page-936 bytes.
#include <gtest/gtest.h>

#include <string>

#include "clips/Caption.h"

using clips::IsLink;
using clips::MakeCaption;

TEST(MakeCaption, BlankTextHasNoName) {
    EXPECT_EQ(MakeCaption("", 20), "无名称");
    EXPECT_EQ(MakeCaption(" \t\r\n \x01", 20), "无名称");
}

TEST(MakeCaption, CutsLongTextsAtTheLimitLessFive) {
    EXPECT_EQ(MakeCaption(std::string(30, 'a'), 20), std::string(15, 'a') + " [..]");
    EXPECT_EQ(MakeCaption(std::string(20, 'a'), 20), std::string(20, 'a'));
    EXPECT_EQ(MakeCaption("  " + std::string(20, 'a') + "\r\n", 20), std::string(20, 'a'));  // trimmed first
}

TEST(MakeCaption, ACutEndingInSpacesIsTrimmedBeforeTheMark) {
    EXPECT_EQ(MakeCaption("abcdefghij     klmnopqrstuvwxyz", 20), "abcdefghij [..]");
}

TEST(MakeCaption, NeverSplitsADoubleByteCharacter) {
    // Byte 15 is the lead byte of "中": the cut keeps 14 bytes.
    EXPECT_EQ(MakeCaption("abcdefghijklmn中文字符串", 20), "abcdefghijklmn [..]");
    // Twelve Chinese characters (24 bytes): seven whole ones survive.
    EXPECT_EQ(MakeCaption("中文中文中文中文中文中文", 20), "中文中文中文中 [..]");
}

TEST(MakeCaption, LineBreaksAndSpaceRuns) {
    EXPECT_EQ(MakeCaption("one\r\ntwo", 20), "one two");
    EXPECT_EQ(MakeCaption("a\rb\nc", 20), "a\rb\nc");  // a lone CR or LF stays
    EXPECT_EQ(MakeCaption("a   b", 20), "a  b");      // three spaces become two
    EXPECT_EQ(MakeCaption("a    b", 20), "a  b");     // four spaces become two
    EXPECT_EQ(MakeCaption("a\r\n  b", 20), "a  b");   // the break's space joins the run
}

TEST(IsLink, SchemesAreMatchedByteForByte) {
    EXPECT_TRUE(IsLink("http://example.com"));
    EXPECT_TRUE(IsLink("https://example.com/a?b=c"));
    EXPECT_TRUE(IsLink("ftp://files.example.com"));
    EXPECT_TRUE(IsLink("file:///C:/notes.txt"));
    EXPECT_FALSE(IsLink("HTTP://example.com"));
    EXPECT_FALSE(IsLink("Http://example.com"));
    EXPECT_FALSE(IsLink("gopher://example.com"));
    EXPECT_FALSE(IsLink(" http://example.com"));  // the test runs on the untrimmed text
}

TEST(IsLink, NeedsOneLineWithoutSpacesAndADot) {
    EXPECT_FALSE(IsLink("http://example com"));
    EXPECT_FALSE(IsLink("http://example.com\r\n"));
    EXPECT_TRUE(IsLink("http://example.com\n"));  // only the CR LF pair counts
    EXPECT_FALSE(IsLink("http://localhost"));
}

TEST(IsLink, MailtoNeedsAnAt) {
    EXPECT_TRUE(IsLink("mailto:someone@example.com"));
    EXPECT_FALSE(IsLink("mailto:someone.example.com"));
    EXPECT_FALSE(IsLink("mailto:someone@example"));  // and a dot
}

TEST(IsLink, TrailBytesNeverMatch) {
    // "\x81\x40" is one double-byte character whose trail byte is "@".
    EXPECT_FALSE(IsLink("mailto:x\x81\x40y.cn"));
    EXPECT_TRUE(IsLink("mailto:x\x81\x40y@a.cn"));
    // A lead byte swallows the "." after it: no dot is left.
    EXPECT_FALSE(IsLink("http://x\x81."));
    // Nor is a trail byte taken for a space.
    EXPECT_TRUE(IsLink("http://a.b\x81\x20"));
}
