#pragma once
// Menu captions and the link test, on UTF-8 texts.
#include <string>
#include <string_view>

namespace clips {

// Trimmed, cut to `maxLength` with " [..]" (never inside a character),
// CR LF turned into a space and pairs of spaces halved. Lengths count as a
// double-byte code page would: 2 for a character beyond ASCII.
// A blank text gives "无名称".
std::string MakeCaption(std::string_view text, int maxLength);

// A single-line text without spaces that holds a "." and starts with
// "http://", "https://", "ftp://" or "file:///", or starts with "mailto:" and holds "@".
bool IsLink(std::string_view text);

extern const char* const kNoNameCaption;

}  // namespace clips
