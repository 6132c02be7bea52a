#pragma once
// The rename dialog of a clip: "新建名称 :" and one edit that starts with the
// current name, all of it selected; the edit takes at most `maxLength` bytes.
#include <optional>
#include <string>

namespace history {

// The edit's text when the dialog was closed with "好"; nothing otherwise.
std::optional<std::string> AskNewName(const std::string& current, int maxLength);

extern const char* const kRenameTitle;

}  // namespace history
