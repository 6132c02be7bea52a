#include "common/MessageBox_win.h"

#include "common/Win32Error_win.h"

namespace common {
namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
HWND g_owner = nullptr;
}  // namespace

const char* const kErrorTitle = "PELLACOR : 错误 ";

int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT flags) {
    std::string t(text), c(title);
    if (Handler()) return Handler()(owner, t, c, flags);
    return MessageBoxA(owner, t.c_str(), c.c_str(), flags);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}

void SetMessageOwner(HWND owner) { g_owner = owner; }
HWND MessageOwner() { return g_owner; }

void ShowSystemError(DWORD code) {
    char buffer[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer, 255,
                   nullptr);
    ShowMessageBox(g_owner, buffer, kErrorTitle, MB_ICONERROR);
}

void ShowLastError() { ShowSystemError(GetLastError()); }

void ShowError(const std::exception& error) {
    auto* platform = dynamic_cast<const Win32Error*>(&error);
    if (platform && platform->Code() != 0) ShowSystemError(platform->Code());
    else ShowMessageBox(g_owner, error.what(), kErrorTitle, MB_ICONERROR);
}

}  // namespace common
