#pragma once
// Equality of clip data as the user's locale sees it.
#include <string_view>

namespace history {

// CompareStringA with the user's default locale over both full lengths returns
// CSTR_EQUAL (letter case ignored when asked).
bool SameText(std::string_view a, std::string_view b, bool ignoreCase);

}  // namespace history
