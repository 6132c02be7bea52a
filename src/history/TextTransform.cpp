#include "history/TextTransform.h"

#include "common/CodePage.h"
#include "common/Text.h"

namespace history {
namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string ChangeAsciiCase(std::string_view text, char (*change)(char)) {
    std::string out(text);
    for (char& c : out) c = change(c);
    return out;
}

// Lower case, then a capital at the start and after each boundary: the byte after
// it, or after the blank that follows it. A carriage return counts as CR LF: the
// capital goes two bytes further (three after a blank). Only an ASCII letter
// gets a capital.
std::string CapitaliseAfter(std::string_view text, bool (*isBoundary)(char)) {
    std::string s = common::LocaleLowerCase(text);
    const size_t n = s.size();
    auto blankAt = [&](size_t k) { return k < n && s[k] == ' '; };
    auto capitalAt = [&](size_t k) {
        if (k < n) s[k] = common::AsciiUpper(s[k]);
    };
    capitalAt(0);
    for (size_t i = 1; i < n; ++i) {
        if (isBoundary(s[i])) {
            capitalAt(blankAt(i + 1) ? i + 2 : i + 1);
        } else if (s[i] == '\r') {
            capitalAt(blankAt(i + 2) ? i + 3 : i + 2);
        }
    }
    return s;
}

bool IsWordBoundary(char c) {
    switch (c) {
    case ' ': case '(': case ',': case '.': case '/': case ':': case ';': case '[': case '{':
        return true;
    default:
        return false;
    }
}

bool IsSentenceEnd(char c) { return c == '!' || c == '.' || c == '?'; }

}  // namespace

std::string AsciiUpperCase(std::string_view text) { return ChangeAsciiCase(text, common::AsciiUpper); }
std::string AsciiLowerCase(std::string_view text) { return ChangeAsciiCase(text, common::AsciiLower); }

std::string MixedCaseText(std::string_view text) { return CapitaliseAfter(text, IsWordBoundary); }
std::string SentenceCaseText(std::string_view text) { return CapitaliseAfter(text, IsSentenceEnd); }

// No byte of a character beyond ASCII is 32 or less, so the removals work on bytes.
std::string RemoveLeadingBlanks(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && IsBlankOrControl(text[start])) ++start;
    return std::string(text.substr(start));
}

std::string RemoveTrailingBlanks(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && IsBlankOrControl(text[end - 1])) --end;
    return std::string(text.substr(0, end));
}

std::string RemoveDuplicatedBlanks(std::string_view text) { return common::ReplaceAll(text, "  ", " "); }

std::string RemoveLineBreaks(std::string_view text) {
    return RemoveDuplicatedBlanks(common::ReplaceAll(text, "\r\n", " "));
}

std::string TransformedText(Transformation how, std::string_view text) {
    switch (how) {
    case Transformation::UpperCase: return common::LocaleUpperCase(text);
    case Transformation::LowerCase: return common::LocaleLowerCase(text);
    case Transformation::MixedCase: return MixedCaseText(text);
    case Transformation::SentenceCase: return SentenceCaseText(text);
    case Transformation::RemoveLeadingSpaces: return RemoveLeadingBlanks(text);
    case Transformation::RemoveTrailingSpaces: return RemoveTrailingBlanks(text);
    case Transformation::RemoveLineBreaks: return RemoveLineBreaks(text);
    case Transformation::RemoveDuplicatedSpaces: return RemoveDuplicatedBlanks(text);
    }
    return std::string(text);
}

std::string TransformedCaption(Transformation how, std::string_view caption) {
    switch (how) {
    case Transformation::UpperCase: return AsciiUpperCase(caption);
    case Transformation::LowerCase: return AsciiLowerCase(caption);
    case Transformation::MixedCase: return MixedCaseText(caption);
    case Transformation::SentenceCase: return SentenceCaseText(caption);
    case Transformation::RemoveDuplicatedSpaces: return RemoveDuplicatedBlanks(caption);
    default: return std::string(caption);
    }
}

}  // namespace history
