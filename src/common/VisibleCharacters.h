#pragma once
// Where a text may be cut without splitting what shows as one character: a
// letter with its combining marks, an emoji with its variation selector, skin
// tone or tags, emoji joined by ZERO WIDTH JOINER, a flag's two letters.
#include <cstddef>
#include <string_view>

namespace common {

// The start of the visible character that `at` (a character boundary of
// `utf8`) lies inside, or `at` itself when a visible character starts there.
size_t VisibleCharacterStart(std::string_view utf8, size_t at);

}  // namespace common
