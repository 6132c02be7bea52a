// Pellacor.ini's text as the profile functions read and change it, in any code page.
#include <gtest/gtest.h>

#include "common/IniText.h"

using namespace common;

TEST(IniText, ValuesAreFoundAsTheProfileFunctionsFindThem) {
    const std::string text = IniTextOf("[Other]\r\nKey=no\r\n[configuration]\r\n; Key=comment\r\n"
                                       "  key  =  \"D:\\\xB8\xF6\xC8\xCB\"  \r\nEmpty=\nLast=x");
    EXPECT_EQ(IniValue(text, "Configuration", "KEY"), "D:\\个人");  // code page 936, as earlier versions wrote it
    EXPECT_EQ(IniValue(text, "Configuration", "Empty"), "");
    EXPECT_EQ(IniValue(text, "Configuration", "Last"), "x");
    EXPECT_EQ(IniValue(text, "Configuration", "Missing"), std::nullopt);
    EXPECT_EQ(IniValue(text, "Missing", "Key"), std::nullopt);
}

TEST(IniText, EveryCharacterComesBackAndAFileThatFitsStaysCodePage936) {
    const std::string fits = "[Configuration]\r\nPersonalHistoryPath=D:\\个人\\\r\n";
    EXPECT_EQ(IniBytesOf(fits), "[Configuration]\r\nPersonalHistoryPath=D:\\\xB8\xF6\xC8\xCB\\\r\n");
    const std::string beyond = "[Configuration]\r\nIgnoredPrograms=비밀.exe;パスワード.exe;😀.exe\r\n";
    std::string bytes = IniBytesOf(beyond);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE[\0", 4));  // UTF-16 with its mark
    EXPECT_EQ(IniTextOf(bytes), beyond);
    EXPECT_EQ(IniTextOf("\xEF\xBB\xBFKey=é"), "Key=é");
}

TEST(IniText, AValueIsSetInPlaceAtTheSectionsEndOrInANewSection) {
    const std::string text = "[Configuration]\r\nA=1\r\nB=2\r\n\r\n[Other]\r\nA=9\r\n";
    EXPECT_EQ(WithIniValue(text, "configuration", "b", "3"), "[Configuration]\r\nA=1\r\nb=3\r\n\r\n[Other]\r\nA=9\r\n");
    EXPECT_EQ(WithIniValue(text, "Configuration", "C", "4"),
              "[Configuration]\r\nA=1\r\nB=2\r\nC=4\r\n\r\n[Other]\r\nA=9\r\n");
    EXPECT_EQ(WithIniValue("", "Configuration", "A", "1"), "[Configuration]\r\nA=1\r\n");
    EXPECT_EQ(WithIniValue("[Other]\r\nX=1", "Configuration", "A", "1"), "[Other]\r\nX=1\r\n[Configuration]\r\nA=1\r\n");
    EXPECT_EQ(WithIniValue("[Configuration]\r\nA=1", "Configuration", "B", "2"), "[Configuration]\r\nA=1\r\nB=2\r\n");
}
