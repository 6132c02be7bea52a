#pragma once
// Texts are held as UTF-8 everywhere inside the program; the Win32 boundary
// turns them into UTF-16 (Wide_win.h). Code pages remain only where a format
// demands bytes of one: CF_TEXT, Pellacor.ini and the byte strings of
// Personal.dat. On Windows the conversions call the platform; the native build
// uses iconv (and the C.UTF-8 locale for letter case), so the portable core is
// tested on the same texts.
#include <string>
#include <string_view>

namespace common {

// The system's ANSI code page, and the code page of Pellacor.ini and of the
// byte strings that earlier versions wrote into Personal.dat.
inline constexpr unsigned kSystemCodePage = 0;
inline constexpr unsigned kChineseCodePage = 936;

// Portable: UTF-8 <-> UTF-16. A broken UTF-8 sequence or a lone surrogate becomes
// U+FFFD (the rule of DecodeUtf8 in Utf8.h).
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view wide);

std::u16string CodePageToUtf16(std::string_view bytes, unsigned codePage);
// A character the code page cannot hold becomes "?".
std::string Utf16ToCodePage(std::u16string_view wide, unsigned codePage);
inline std::string CodePageToUtf8(std::string_view bytes, unsigned codePage) {
    return Utf16ToUtf8(CodePageToUtf16(bytes, codePage));
}
inline std::string Utf8ToCodePage(std::string_view utf8, unsigned codePage) {
    return Utf16ToCodePage(Utf8ToUtf16(utf8), codePage);
}
// True when the code page holds every character of `utf8` (converting there and
// back gives the same text).
bool FitsCodePage(std::string_view utf8, unsigned codePage);

// The locale's upper or lower case of a text, character by character (a
// surrogate pair is one character): a character keeps its place and, when its
// other case would take another length, its own form.
std::string LocaleUpperCase(std::string_view utf8);
std::string LocaleLowerCase(std::string_view utf8);

// The bytes of the UTF-8 character that starts at `at` (a broken sequence counts as
// one character, as DecodeUtf8 reads it).
size_t CharacterLength(std::string_view utf8, size_t at);
// Widths as a double-byte code page counts them, which the limits on captions,
// the preview and the rename box keep: an ASCII character takes 1, any other 2.
size_t NarrowWidth(std::string_view utf8);
// Length in bytes of the longest start of `utf8` of whole characters whose
// width is at most `maxWidth`.
size_t WidthPrefix(std::string_view utf8, size_t maxWidth);

}  // namespace common
