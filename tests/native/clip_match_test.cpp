// The find window's matching rule, on UTF-8 texts.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "find/ClipMatch.h"

using find::ClipQuery;
using find::FoldedForMatching;

namespace {
// The sources are compiled to code page 936: UTF-8 test texts are written as u8 literals.
std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

bool Finds(const std::string& typed, std::initializer_list<std::string_view> parts) {
    return ClipQuery(typed).Matches(FoldedForMatching(parts));
}
}  // namespace

TEST(ClipMatch, EveryWordMustOccurAnywhereInAnyOrder) {
    EXPECT_TRUE(Finds("beta two", {"caption", "", "alpha beta two"}));
    EXPECT_TRUE(Finds("two  beta", {"caption", "", "alpha beta two"}));
    EXPECT_TRUE(Finds("eta", {"caption", "", "beta"}));
    EXPECT_FALSE(Finds("beta three", {"caption", "", "alpha beta two"}));
    // The caption, the source program and the file names count as much as the text.
    EXPECT_TRUE(Finds("notepad report", {"caption", "notepad.exe", "C:\\docs\\Report.doc\r\n"}));
    // No word spans two parts.
    EXPECT_FALSE(Finds("ab", {"xa", "bx", ""}));
    // Blanks of every kind separate words, the ideographic space too.
    EXPECT_TRUE(Finds(U8(u8"北京\u3000上海\tbeta"), {"", "", U8(u8"上海 beta 北京")}));
}

TEST(ClipMatch, NoWordsMatchEverything) {
    EXPECT_TRUE(ClipQuery("").Empty());
    EXPECT_TRUE(ClipQuery(" \t ").Empty());
    EXPECT_TRUE(Finds("  ", {"", "", ""}));
    EXPECT_EQ(ClipQuery(" a  b ").WordCount(), 2u);
}

TEST(ClipMatch, LetterCaseIsIgnoredInEveryScript) {
    struct Case {
        const char8_t *typed, *text;
    } cases[] = {
        {u8"HELLO", u8"say hello"},
        {u8"äöü", u8"ÄÖÜ"},
        {u8"ΣΟΦΊΑ", u8"σοφία"},
        {u8"σ", u8"ΛΌΓΟς"},                 // the final sigma folds like the others
        {u8"привет", u8"ПРИВЕТ мир"},
        {u8"ǅ", u8"ǆ"},                       // a title-case letter
        {u8"\U00010400", u8"\U00010428"},   // beyond the basic plane (Deseret)
        {u8"ｆｕｌｌ", u8"ＦＵＬＬ"},         // full-width Latin
        {u8"剪贴板", u8"中文剪贴板历史"},
    };
    for (const Case& c : cases) EXPECT_TRUE(Finds(U8(c.typed), {"", "", U8(c.text)})) << U8(c.typed);
    EXPECT_FALSE(Finds(U8(u8"剪贴版"), {"", "", U8(u8"剪贴板")}));
    EXPECT_EQ(find::FoldCase(0x130), char32_t{0x130});  // capital I with a dot: no one-character fold, left alone
}

TEST(ClipMatch, BytesThatAreNotUtf8PassThrough) {
    std::string broken = "a\xC3" "B\xFF\xE4\xB8";
    EXPECT_EQ(find::Folded(broken), "a\xC3" "b\xFF\xE4\xB8");
    EXPECT_TRUE(Finds("\xFF", {"", "", broken}));
}

TEST(ClipMatch, ContainsAgreesWithAPlainSearchAtEveryAlignment) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string haystack(random() % 70, 'a'), needle(1 + random() % 5, 'a');
        for (char& c : haystack) c = static_cast<char>('a' + random() % 3);
        for (char& c : needle) c = static_cast<char>('a' + random() % 3);
        ASSERT_EQ(find::Contains(haystack, needle), haystack.find(needle) != std::string::npos)
            << haystack << " / " << needle;
    }
}
