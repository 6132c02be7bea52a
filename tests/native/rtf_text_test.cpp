// The plain text of rich-text data that came with none beside it.
#include <gtest/gtest.h>

#include "clips/RtfText.h"

using clips::RtfPlainText;

TEST(RtfPlainText, ShowsWhatTheDocumentShows) {
    EXPECT_EQ(RtfPlainText("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                           "{\\*\\generator Writer;}\\f0 {\\b bold} words\\par next\\tab line\\'e9}"),
              "bold words\r\nnext\tline\xC3\xA9");
    // \uN with its fallback skipped, also as a surrogate pair and a negative number; escaped braces.
    EXPECT_EQ(RtfPlainText("{\\rtf1\\uc1 \\u20013?\\u25991? \\u-10179?\\u-8704? \\{x\\}}"),
              "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80 {x}");
    // \'hh in the document's code page.
    EXPECT_EQ(RtfPlainText("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0}"), "\xE4\xB8\xAD");
}

TEST(RtfPlainText, BrokenDataGivesWhatCouldBeRead) {
    EXPECT_EQ(RtfPlainText(""), "");
    EXPECT_EQ(RtfPlainText("{\\rtf1 cut here\\"), "cut here");
    EXPECT_EQ(RtfPlainText("{\\rtf1 a\\'4"), "a\x04");
    EXPECT_EQ(RtfPlainText("}}}plain{{"), "plain");
    EXPECT_EQ(RtfPlainText("{\\rtf1 \\u99999999999"), RtfPlainText("{\\rtf1 \\u9999999"));  // bounded number
}
