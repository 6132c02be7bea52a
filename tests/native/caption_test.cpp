// Menu captions and the link test, on UTF-8 texts.
#include <gtest/gtest.h>

#include <string>

#include "clips/Caption.h"

using clips::IsLink;
using clips::MakeCaption;

TEST(MakeCaption, TrimsJoinsAndCutsAtTheLimitLessFive) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "无名称"},
        {" \t\r\n \x01", "无名称"},
        {std::string(30, 'a'), std::string(15, 'a') + " [..]"},
        {std::string(20, 'a'), std::string(20, 'a')},
        {"  " + std::string(20, 'a') + "\r\n", std::string(20, 'a')},  // trimmed first
        {"abcdefghij     klmnopqrstuvwxyz", "abcdefghij [..]"},      // a cut ending in spaces
        // Byte 15 is the lead byte of "中": the cut keeps 14 bytes.
        {"abcdefghijklmn中文字符串", "abcdefghijklmn [..]"},
        {"中文中文中文中文中文中文", "中文中文中文中 [..]"},
        // Any character beyond ASCII counts two, a surrogate pair too, and is never cut.
        {"abcdefghijklm😀文字串", "abcdefghijklm😀 [..]"},
        {"abcdefghijklmn😀文字串", "abcdefghijklmn [..]"},
        {"mix: 中文 😀 한국어 Ελλη", "mix: 中文 😀 한 [..]"},
        // Never half of what shows as one character: a flag, a joined emoji, a letter with its accent.
        {"abcdefghijklm🇨🇳文字串文字串", "abcdefghijklm [..]"},
        {"abcdefghijklm👩‍💻文字串文字串", "abcdefghijklm [..]"},
        {"abcdefghijklmne\u0301文字串文字串", "abcdefghijklmn [..]"},
        {"café ẞ", "café ẞ"},
        {"one\r\ntwo", "one two"},
        {"a\rb\nc", "a\rb\nc"},  // a lone CR or LF stays
        {"a   b", "a  b"},       // runs of three or four spaces become two
        {"a    b", "a  b"},
        {"a\r\n  b", "a  b"},  // the break's space joins the run
    };
    for (const auto& [text, caption] : cases) EXPECT_EQ(MakeCaption(text, 20), caption) << text;
}

TEST(IsLink, SchemesByteForByteOnOneLineWithADotAndNoSpace) {
    const std::pair<const char*, bool> cases[] = {
        {"http://example.com", true},   {"https://example.com/a?b=c", true}, {"ftp://files.example.com", true},
        {"file:///C:/notes.txt", true}, {"HTTP://example.com", false},       {"Http://example.com", false},
        {"gopher://example.com", false},
        {" http://example.com", false},  // the test runs on the untrimmed text
        {"http://example com", false},  {"http://example.com\r\n", false},   {"http://localhost", false},
        {"http://example.com\n", true},  // only the CR LF pair counts
        {"mailto:someone@example.com", true}, {"mailto:someone.example.com", false}, {"mailto:someone@example", false},
        // A character beyond ASCII is never taken for a dot, an at sign or a space.
        {"mailto:x＠y.cn", false}, {"mailto:x＠y@a.cn", true}, {"http://x。cn", false},
        {"http://a.b　😀", true},
    };
    for (const auto& [text, link] : cases) EXPECT_EQ(IsLink(text), link) << text;
}
