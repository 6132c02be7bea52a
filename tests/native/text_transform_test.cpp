// The text transformations and the locale's letter case, on UTF-8 texts.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "common/CodePage.h"
#include "history/TextTransform.h"

using namespace history;

namespace {
using Cases = std::initializer_list<std::pair<std::string, std::string>>;

void ExpectEach(std::string (*transform)(std::string_view), Cases cases) {
    for (const auto& [text, expected] : cases) EXPECT_EQ(transform(text), expected) << text;
}

// Look-alikes of a bracket, a brace and a letter beyond ASCII, and a surrogate pair.
const std::string kWideBracket = "［", kWideBrace = "｛", kWideLetter = "ａ", kEmoji = "😀";
}  // namespace

TEST(TextTransform, MixedCaseCapitalisesAfterEachWordBoundary) {
    ExpectEach(MixedCaseText, {
        {"hello WORLD. this is (a) test", "Hello World. This Is (A) Test"},
        {"(abc def", "(abc Def"},  // the first byte is never a boundary
        {"x,y/z:w;v[u{t", "X,Y/Z:W;V[U{T"},
        {"one,  two", "One,  Two"},  // reached through the last blank of the run
        {"first line\r\nsecond line", "First Line\r\nSecond Line"},
        {"first line\r\n second", "First Line\r\n Second"},
        {"first line\nsecond", "First Line\nsecond"},  // a lone LF is no boundary
        // Texts that end in a boundary, a blank or a CR change nothing beyond their end.
        {"end.", "End."}, {"end ", "End "}, {"end\r", "End\r"}, {"end\r\n", "End\r\n"}, {"a\r ", "A\r "},
        {"", ""},
    });
}

TEST(TextTransform, SentenceCaseCapitalisesAfterSentenceEndsAndOneBlank) {
    ExpectEach(SentenceCaseText, {
        {"HELLO WORLD. THIS IS A TEST! ok? yes", "Hello world. This is a test! Ok? Yes"},
        {"one.  two", "One.  two"},  // two blanks: the word stays in lower case
        {"first line\r\nsecond line", "First line\r\nSecond line"},
        {"first line\nsecond line", "First line\nsecond line"},
        {"end!", "End!"}, {"end? ", "End? "}, {"end.\r", "End.\r"},
    });
}

TEST(TextTransform, ACharacterBeyondAsciiIsNeverABoundaryNorChangedByTheAsciiRules) {
    ExpectEach(MixedCaseText, {
        {"x" + kWideBracket + "a" + kWideBrace + "b", "X" + kWideBracket + "a" + kWideBrace + "b"},
        {"x" + kWideBracket + "[a {b", "X" + kWideBracket + "[A {B"},  // real brackets still count
        {kEmoji + "a b" + kEmoji + " c", kEmoji + "a B" + kEmoji + " C"},
        // After a lone CR the capital would fall on the second byte of the next character.
        {"x\r" + kEmoji + "y", "X\r" + kEmoji + "y"},
        {"é é", "é é"},  // only ASCII letters become capitals
    });
    ExpectEach(SentenceCaseText, {{"a.\r" + kWideLetter, "A.\r" + kWideLetter}});
    ExpectEach(AsciiUpperCase, {{"中文 abc é" + kWideLetter + "z", "中文 ABC é" + kWideLetter + "Z"}});
    ExpectEach(AsciiLowerCase, {{"ＡB É" + kWideBracket, "Ａb É" + kWideBracket}});
    ExpectEach(RemoveTrailingBlanks, {{kEmoji + " \r\n", kEmoji}});
}

TEST(TextTransform, RemovalsOfBlanksAndLineBreaks) {
    ExpectEach(RemoveLineBreaks, {
        {"a\r\nb", "a b"}, {"a \r\n b", "a  b"}, {"a\r\n\r\nb", "a b"}, {"a\rb\nc", "a\rb\nc"},
    });
    ExpectEach(RemoveDuplicatedBlanks, {
        {"a  b", "a b"}, {"a   b", "a  b"}, {"a    b", "a  b"}, {"a     b", "a   b"}, {"a\t\tb", "a\t\tb"},
    });
    EXPECT_EQ(RemoveDuplicatedBlanks(RemoveDuplicatedBlanks("a    b")), "a b");
    ExpectEach(RemoveLeadingBlanks, {{"\t  text", "text"}, {"\r\n\x01text \r\n", "text \r\n"}, {" \t", ""}});
    ExpectEach(RemoveTrailingBlanks, {{"text \r\n", "text"}, {" 中文\t\x1F", " 中文"}});
}

TEST(TextTransform, WhatEachCommandDoesToTextAndCaption) {
    EXPECT_EQ(TransformedText(Transformation::UpperCase, "ａb"), "ＡB");  // the locale's case
    EXPECT_EQ(TransformedCaption(Transformation::UpperCase, "ａb"), "ａB");  // ASCII only
    EXPECT_EQ(TransformedCaption(Transformation::LowerCase, "ＡB"), "Ａb");
    EXPECT_EQ(TransformedCaption(Transformation::MixedCase, "AB CD"), "Ab Cd");
    EXPECT_EQ(TransformedCaption(Transformation::SentenceCase, "AB. CD"), "Ab. Cd");
    EXPECT_EQ(TransformedCaption(Transformation::RemoveDuplicatedSpaces, "a  b"), "a b");
    for (auto how : {Transformation::RemoveLeadingSpaces, Transformation::RemoveTrailingSpaces,
                     Transformation::RemoveLineBreaks})
        EXPECT_EQ(TransformedCaption(how, " a  b "), " a  b ");
    EXPECT_EQ(TransformedText(Transformation::RemoveLineBreaks, " a\r\nb "), " a b ");
}

// The native stand-in of the locale's case (the Windows half is tested under Wine).
TEST(LocaleCase, LettersOfEveryScriptChangeAndCharactersWithoutAnOtherCaseStay) {
    EXPECT_EQ(common::LocaleUpperCase("abc ａｂ αβ я 中文"), "ABC ＡＢ ΑΒ Я 中文");
    EXPECT_EQ(common::LocaleLowerCase("ABC ＡＢ ΑΒ Я"), "abc ａｂ αβ я");
    // Letters that code page 936 cannot hold change too; a combining mark stays with its letter.
    EXPECT_EQ(common::LocaleUpperCase("nǐ hǎo café ή e\u0301"), "NǏ HǍO CAFÉ Ή E\u0301");
    EXPECT_EQ(common::LocaleLowerCase("ⅪZ ẞ É 한국어"), "ⅺz ß é 한국어");
    // A character whose other case has another length keeps its form; a pair stays whole.
    EXPECT_EQ(common::LocaleUpperCase("ß 😀 x"), "ß 😀 X");
    // Beyond the basic plane nothing changes, in this build as on Windows.
    EXPECT_EQ(common::LocaleUpperCase("𐐨 𞤢"), "𐐨 𞤢");
    EXPECT_EQ(common::LocaleLowerCase("𐐀 𞤀"), "𐐀 𞤀");
}
