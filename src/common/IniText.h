#pragma once
// The text of an INI file such as Pellacor.ini, read and changed as the
// private-profile functions do, whatever the system's code page: the file's
// bytes are UTF-16 with its byte-order mark, UTF-8 with one, or else code page
// 936 (what earlier versions wrote, on any Windows).
#include <optional>
#include <string>
#include <string_view>

namespace common {

// The file's text in UTF-8.
std::string IniTextOf(std::string_view bytes);
// The bytes to write: code page 936 when every character fits it (so earlier
// versions read the file as before), else UTF-16LE with its byte-order mark,
// which the profile functions of every Windows read too.
std::string IniBytesOf(std::string_view text);

// The value of `key` in `section` (both in any letter case), blanks around it
// trimmed and one pair of enclosing quotes removed; nothing when either is missing.
std::optional<std::string> IniValue(std::string_view text, std::string_view section, std::string_view key);
// `text` with `key` set to `value`: in place when the key is there, else at the
// end of the section, which is added at the end when it is missing.
std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

}  // namespace common
