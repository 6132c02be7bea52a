#include "common/MessageBox_win.h"

#include "common/Wide_win.h"

namespace common {
namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
HWND g_owner = nullptr;
}  // namespace

int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT flags) {
    std::string t(text), c(title);
    if (Handler()) return Handler()(owner, t, c, flags);
    return MessageBoxW(owner, Wide(t).c_str(), Wide(c).c_str(), flags);
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}

void SetMessageOwner(HWND owner) { g_owner = owner; }
HWND MessageOwner() { return g_owner; }

}  // namespace common
