#pragma once
// Small helpers on UTF-8 texts shared by every subsystem.
#include <string>
#include <string_view>

namespace common {

// Removes leading and trailing bytes 0 to 32 (blanks and control characters).
std::string_view TrimBlanks(std::string_view text);
inline bool IsBlank(std::string_view text) { return TrimBlanks(text).empty(); }

// Letter case of A to Z only: no byte of a UTF-8 character beyond ASCII is a letter,
// so these leave every other character whole.
constexpr char AsciiLower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept;

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// True when the last character is a backslash.
bool EndsWithBackslash(std::string_view path);
// A path gets a trailing backslash unless it already ends with one.
std::string CompletePath(std::string_view path);
// What follows the last backslash.
std::string_view FileNamePart(std::string_view path);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace common
