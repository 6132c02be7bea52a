#pragma once
// The Win32 boundary of the program's texts: UTF-8 inside, UTF-16 for every
// ...W call of the platform.
#include <string>
#include <string_view>

namespace common {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace common
