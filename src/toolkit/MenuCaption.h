#pragma once
// Captions are shown exactly as set: the platform would take "&" for an access
// key and a tab for the start of the shortcut column.
#include <string>
#include <string_view>

namespace toolkit {

// "&" doubled, a tab shown as a blank. Neither byte can be the second byte of
// a double-byte character, so the text is changed byte by byte.
std::string PlatformMenuCaption(std::string_view caption);

}  // namespace toolkit
