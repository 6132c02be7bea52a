#include "clips/Caption.h"

#include "common/CodePage.h"
#include "common/Text.h"
#include "common/VisibleCharacters.h"

namespace clips {

const char* const kNoNameCaption = "无名称";

namespace {

// Halves runs of spaces in one left-to-right pass without overlap.
std::string HalveSpacePairs(std::string_view text) { return common::ReplaceAll(text, "  ", " "); }

// No byte of a UTF-8 character beyond ASCII is an ASCII byte.
bool ContainsChars(std::string_view text, std::string_view needle) { return text.find(needle) != text.npos; }

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string MakeCaption(std::string_view text, int maxLength) {
    std::string_view trimmed = common::TrimBlanks(text);
    if (trimmed.empty()) return kNoNameCaption;
    std::string caption;
    if (maxLength >= 0 && common::WidthPrefix(trimmed, static_cast<size_t>(maxLength)) < trimmed.size()) {
        size_t keep = common::WidthPrefix(trimmed, maxLength > 5 ? static_cast<size_t>(maxLength - 5) : 0);
        keep = common::VisibleCharacterStart(trimmed, keep);  // never half a flag or a joined emoji
        caption = std::string(common::TrimBlanks(trimmed.substr(0, keep))) + " [..]";
    } else {
        caption = std::string(trimmed);
    }
    caption = common::ReplaceAll(caption, "\r\n", " ");
    caption = HalveSpacePairs(caption);
    return std::string(common::TrimBlanks(caption));
}

bool IsLink(std::string_view text) {
    // The scheme is the cheap part: long texts rarely get past it.
    bool mail = StartsWith(text, "mailto:");
    if (!mail && !StartsWith(text, "http://") && !StartsWith(text, "https://") && !StartsWith(text, "ftp://") &&
        !StartsWith(text, "file:///"))
        return false;
    if (ContainsChars(text, "\r\n") || ContainsChars(text, " ") || !ContainsChars(text, ".")) return false;
    return !mail || ContainsChars(text, "@");
}

}  // namespace clips
