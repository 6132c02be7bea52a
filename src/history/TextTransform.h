#pragma once
// The text transformations of a plain-text clip, over UTF-8 texts.
// Letter case comes in two kinds: the locale's (the whole text, through the
// code-page seam) and ASCII (only a-z and A-Z change). No byte of a character
// beyond ASCII is an ASCII byte, so such a character is never changed by the
// ASCII rules and never taken for a blank, a bracket or a line break.
#include <string>
#include <string_view>

namespace history {

enum class Transformation {
    UpperCase,
    LowerCase,
    MixedCase,
    SentenceCase,
    RemoveLeadingSpaces,
    RemoveTrailingSpaces,
    RemoveLineBreaks,
    RemoveDuplicatedSpaces,
};

// The new text and the new caption of a clip; a caption that the
// transformation leaves alone comes back as it was.
std::string TransformedText(Transformation how, std::string_view text);
std::string TransformedCaption(Transformation how, std::string_view caption);

std::string AsciiUpperCase(std::string_view text);
std::string AsciiLowerCase(std::string_view text);
// Each word begins with a capital: after a blank ( , . / : ; [ { or a line break.
std::string MixedCaseText(std::string_view text);
// Each sentence begins with a capital: after ! . ? (and one blank) or a line break.
std::string SentenceCaseText(std::string_view text);
// Bytes of code 32 or less (blanks, tabs, line breaks, control characters) go.
std::string RemoveLeadingBlanks(std::string_view text);
std::string RemoveTrailingBlanks(std::string_view text);
// Each CR LF becomes a blank, then duplicated blanks are halved.
std::string RemoveLineBreaks(std::string_view text);
// One pass that makes one blank of each pair: n blanks become n / 2, rounded up.
std::string RemoveDuplicatedBlanks(std::string_view text);

}  // namespace history
