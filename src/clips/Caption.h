#pragma once
// Menu captions and the link test, on code-page-936 byte strings.
#include <string>
#include <string_view>

namespace clips {

// Trimmed, cut to `maxLength` bytes with " [..]" (never inside a double-byte
// character), CR LF turned into a space and pairs of spaces halved.
// A blank text gives "无名称".
std::string MakeCaption(std::string_view text, int maxLength);

// A single-line text without spaces that holds a "." and starts with
// "http://", "https://", "ftp://" or "file:///", or starts with "mailto:" and holds "@".
bool IsLink(std::string_view text);

extern const char* const kNoNameCaption;

}  // namespace clips
