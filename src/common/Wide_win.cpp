#include "common/Wide_win.h"

#include <windows.h>

#include <climits>

#include "common/CodePage.h"

namespace common {

// The platform's converter makes UTF-16 (it agrees with the portable one, which
// serves texts beyond INT_MAX); our own makes UTF-8, faster than Wine's.
std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    if (utf8.size() > INT_MAX) {
        std::u16string wide = Utf8ToUtf16(utf8);
        return std::wstring(wide.begin(), wide.end());
    }
    const int size = static_cast<int>(utf8.size());
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
    return out;
}

std::string Utf8(std::wstring_view wide) {
    return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace common
