#include "find/Paste_win.h"

#include <string_view>
#include <vector>

namespace find {
namespace {
std::wstring_view ClassOf(HWND window, wchar_t (&buffer)[64]) {
    int n = GetClassNameW(window, buffer, 64);
    return {buffer, n > 0 ? static_cast<size_t>(n) : 0u};
}

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}
}  // namespace

bool IsPasteTarget(HWND window) {
    if (!window || !IsWindow(window) || window == GetDesktopWindow() || window == GetShellWindow()) return false;
    wchar_t buffer[64];
    HWND root = GetAncestor(window, GA_ROOTOWNER);
    if (ClassOf(root ? root : window, buffer).starts_with(L"Pellacor")) return false;
    std::wstring_view name = ClassOf(window, buffer);
    for (std::wstring_view shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"#32769"})
        if (name == shell) return false;
    return true;
}

bool SendPaste() {
    std::vector<INPUT> inputs;
    for (WORD modifier : {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN})
        if (GetAsyncKeyState(modifier) < 0) inputs.push_back(Key(modifier, true));
    for (INPUT input : {Key(VK_CONTROL, false), Key('V', false), Key('V', true), Key(VK_CONTROL, true)})
        inputs.push_back(input);
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

}  // namespace find
