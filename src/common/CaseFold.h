#pragma once
// Letter case as the find window and the archive's index compare it: Unicode
// simple case folding (one character to one) from a generated table
// (CaseFoldTable.inc, by scripts/make-case-fold.py), ASCII lowered. Texts are UTF-8.
#include <string>
#include <string_view>

namespace common {

// The code point's case-insensitive form.
char32_t FoldCase(char32_t c) noexcept;
// `utf8` with every code point folded; bytes that are not UTF-8 pass unchanged.
std::string Folded(std::string_view utf8);
void AppendFolded(std::string& out, std::string_view utf8);
// The characters that separate the words typed in the find window.
inline bool IsWordBreak(char32_t c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0x3000 || c == 0xA0;
}

}  // namespace common
