#pragma once
// The rule the find window matches clips by: every word typed (separated by
// blanks) must occur in what the clip is found by, in any letter case of any
// script. Texts are UTF-8 here; a clip's text is folded once (FoldedForMatching)
// and kept, so a keystroke only searches.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/CaseFold.h"

namespace find {

// Letter case folded as common/CaseFold.h folds it.
using common::FoldCase;
using common::Folded;
// The parts a clip is found by (its caption, source, text or file names),
// folded and joined by a zero byte, so that no word matches across two parts.
std::string FoldedForMatching(std::initializer_list<std::string_view> partsUtf8);

class ClipQuery {
public:
    // The typed text, UTF-8.
    explicit ClipQuery(std::string_view typedUtf8);
    // No words: every clip matches.
    bool Empty() const noexcept { return words_.empty(); }
    size_t WordCount() const noexcept { return words_.size(); }
    // True when every word occurs in `folded` (made by FoldedForMatching).
    bool Matches(std::string_view folded) const noexcept;

private:
    std::vector<std::string> words_;  // folded, longest first: the rarest rule out a clip soonest
};

// A 64-bit hash of `bytes`, eight at a time: tells a text that changed from one that did not.
uint64_t QuickHash(std::string_view bytes, uint64_t seed = 0) noexcept;

// True when `needle` occurs in `haystack`: byte for byte, as fast as a plain scan.
bool Contains(std::string_view haystack, std::string_view needle) noexcept;

}  // namespace find
