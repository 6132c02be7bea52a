#include "common/Win32Error_win.h"

#include "common/Text.h"
#include "common/Wide_win.h"

namespace common {

Win32Error::Win32Error(DWORD code) : Failure(SystemErrorText(code)), code_(code) {}

std::string SystemErrorText(DWORD code) {
    wchar_t buffer[256] = {};
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             255, nullptr);
    std::string text = Utf8(std::wstring_view(buffer, n));
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text.empty() ? Format("系统错误 %lu", static_cast<unsigned long>(code)) : text;
}

void ThrowLastError(DWORD fallback) {
    DWORD code = GetLastError();
    throw Win32Error(code != 0 ? code : fallback);
}

}  // namespace common
