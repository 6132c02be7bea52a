#include "common/Win32Error_win.h"

#include "common/Text.h"
#include "common/Wide_win.h"

namespace common {

Win32Error::Win32Error(DWORD code) : Failure(SystemErrorText(code)), code_(code) {}

Win32Error::Win32Error(DWORD code, std::string_view doing)
    : Failure(std::string(doing) + "\n" + SystemErrorText(code)), code_(code) {}

std::string SystemErrorText(DWORD code) {
    wchar_t buffer[256] = {};
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             255, nullptr);
    std::string text = Utf8(std::wstring_view(buffer, n));
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    const unsigned long number = code;
    return text.empty() ? Format("系统错误 %lu", number) : Format("%s (错误代码 %lu)", text.c_str(), number);
}

void ThrowLastError(DWORD fallback) {
    DWORD code = GetLastError();
    throw Win32Error(code != 0 ? code : fallback);
}

void ThrowLastErrorOrNoReason(std::string_view doing) {
    DWORD code = GetLastError();
    if (code != 0) throw doing.empty() ? Win32Error(code) : Win32Error(code, doing);
    const char kNoReason[] = "操作失败, 系统没有给出原因.";
    throw Failure(doing.empty() ? std::string(kNoReason) : std::string(doing) + "\n" + kNoReason);
}

}  // namespace common
