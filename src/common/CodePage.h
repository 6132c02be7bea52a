#pragma once
// The code-page seam. User text is held as bytes of the system ANSI code page
// (code page 936 on the target). On Windows these call the platform; the native
// build uses iconv with code page 936 (and the C.UTF-8 locale for letter case) so
// the portable core is tested on the same bytes.
#include <string>
#include <string_view>

namespace common {

// True when the byte starts a double-byte character of the ANSI code page.
bool IsLeadByte(unsigned char byte);

std::u16string AnsiToUtf16(std::string_view ansi);
std::string Utf16ToAnsi(std::u16string_view wide);

// Portable: UTF-8 <-> UTF-16. Invalid sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view wide);

inline std::string Utf8ToAnsi(std::string_view utf8) { return Utf16ToAnsi(Utf8ToUtf16(utf8)); }
inline std::string AnsiToUtf8(std::string_view ansi) { return Utf16ToUtf8(AnsiToUtf16(ansi)); }

// The locale's upper or lower case of an ANSI text, character by character: the
// result has the same length, and a character whose other case has no form in the
// code page (or a lead byte without its trail byte) stays as it is.
std::string LocaleUpperCase(std::string_view ansi);
std::string LocaleLowerCase(std::string_view ansi);
// Their common part: `changeOne` changes one character (one or two bytes) in place
// and returns the number of bytes it wrote; the change is kept only when that is
// the character's own length.
std::string ChangeEachCharacter(std::string_view ansi, size_t (*changeOne)(char* bytes, size_t size));
// The length of `text` without a lead byte left at its end without a trail byte.
size_t CompleteCharactersLength(std::string_view text);

// Length of the longest prefix of `text` no longer than `maxBytes` that does not
// end between a lead byte and its trail byte.
size_t CharBoundaryPrefix(std::string_view text, size_t maxBytes);

}  // namespace common
