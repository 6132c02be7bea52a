#pragma once
// The programs whose copies the user wants kept out of the history (a password
// manager, say), named in the setting IgnoredPrograms.
#include <string_view>

namespace clipboard {

// True when `program` (an executable's file name such as "KeePass.exe") is one
// of the names in `list`: names separated by ";", blanks around a name ignored,
// letter case ignored, ".exe" optional on either side.
bool IsIgnoredProgram(std::string_view program, std::string_view list);

}  // namespace clipboard
