// The programs whose copies are never kept (IgnoredPrograms).
#include <gtest/gtest.h>

#include "clipboard/IgnoredPrograms.h"

using clipboard::IsIgnoredProgram;

TEST(IgnoredPrograms, NamesMatchWithoutCaseExeOrBlanks) {
    const char list[] = " KeePass ; 1password.EXE;;记事本.exe ";
    for (const char* program : {"KeePass.exe", "keepass.EXE", "KEEPASS", "1Password.exe", "1password", "记事本.exe",
                                "记事本"})
        EXPECT_TRUE(IsIgnoredProgram(program, list)) << program;
    for (const char* program : {"KeePassXC.exe", "Pass.exe", "notepad.exe", "", ".exe", "不可用"})
        EXPECT_FALSE(IsIgnoredProgram(program, list)) << program;
    EXPECT_FALSE(IsIgnoredProgram("KeePass.exe", ""));
    EXPECT_FALSE(IsIgnoredProgram("KeePass.exe", " ; ;"));
}

TEST(IgnoredPrograms, TheSecondByteOfAChineseCharacterKeepsItsCase) {
    // 丄 and 乤 differ only in a second byte that reads as "A" and "a".
    EXPECT_TRUE(IsIgnoredProgram("丄.exe", "丄"));
    EXPECT_FALSE(IsIgnoredProgram("丄.exe", "乤"));
}
