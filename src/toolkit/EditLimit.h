#pragma once
// The rule of a one-line edit whose text is limited in bytes as a double-byte
// code page counts them (any character beyond ASCII counts two), applied to each change of its text
// after the edit made it, whatever its source: typing, a paste by any key or
// menu, an input method, a program's EM_REPLACESEL or WM_SETTEXT.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace toolkit {

struct LimitedText {
    std::u16string text;
    size_t caret;  // just after what was kept of the insertion
};

// `before` is the text the edit held, `after` what it holds now. What was
// inserted (between their common start and their common end) keeps its first
// line only and is cut at the last whole character that lets the whole text
// hold at most `maxBytes`. Removals are always allowed, so a longer text that
// was already there stays until the user shortens it. Nothing when `after`
// may stay as it is.
std::optional<LimitedText> LimitEditChange(std::u16string_view before, std::u16string_view after, size_t maxBytes);

}  // namespace toolkit
