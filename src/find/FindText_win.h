#pragma once
// The one seam between the program's texts (bytes of the ANSI code page) and
// the find window's: UTF-16 for the window, UTF-8 for the matching rule.
#include <string>
#include <string_view>

#include "common/CodePage.h"

namespace find {

inline std::wstring WideText(std::string_view text) {
    std::u16string wide = common::AnsiToUtf16(text);
    return {wide.begin(), wide.end()};
}

// What the matching rule reads of a clip's text.
inline std::string MatchingText(std::string_view text) { return common::AnsiToUtf8(text); }

// What the matching rule reads of the typed text.
inline std::string MatchingText(std::wstring_view typed) {
    return common::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(typed.data()), typed.size()));
}

}  // namespace find
