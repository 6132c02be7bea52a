#pragma once
// The one seam between the program's texts (UTF-8) and the find window's:
// UTF-16 for the window, UTF-8 for the matching rule.
#include <string>
#include <string_view>

#include "common/Wide_win.h"

namespace find {

inline std::wstring WideText(std::string_view text) { return common::Wide(text); }

// What the matching rule reads of a clip's text: the text itself.
inline std::string MatchingText(std::string_view text) { return std::string(text); }

// What the matching rule reads of the typed text.
inline std::string MatchingText(std::wstring_view typed) { return common::Utf8(typed); }

}  // namespace find
