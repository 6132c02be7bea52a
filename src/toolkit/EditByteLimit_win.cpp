#include "toolkit/EditByteLimit_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "toolkit/Handles_win.h"

namespace toolkit {
namespace {

constexpr UINT_PTR kSubclassId = 0x5045;  // one limit per edit

int AnsiBytes(std::wstring_view text) {
    if (text.empty()) return 0;
    return WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
}

// Bytes the edit would hold after its selection is replaced by nothing.
int BytesBesideSelection(HWND edit) {
    int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), length + 1)));
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
    end = std::clamp<DWORD>(end, start, static_cast<DWORD>(text.size()));
    std::wstring_view all(text);
    return AnsiBytes(all.substr(0, start)) + AnsiBytes(all.substr(end));
}

std::wstring ClipboardText(HWND edit) {
    ClipboardSession clipboard(edit);
    GlobalLockGuard lock(clipboard ? GetClipboardData(CF_UNICODETEXT) : nullptr);
    if (!lock) return {};
    std::wstring_view block(static_cast<const wchar_t*>(lock.data()), lock.size() / sizeof(wchar_t));
    return std::wstring(block.substr(0, block.find(L'\0')));
}

// The longest start of `text`, whole characters only, of at most `room` bytes.
std::wstring FittingStart(const std::wstring& text, int room) {
    size_t n = 0;
    int used = 0;
    while (n < text.size()) {
        size_t next = n + (IS_HIGH_SURROGATE(text[n]) && n + 1 < text.size() ? 2 : 1);
        int bytes = AnsiBytes(std::wstring_view(text).substr(n, next - n));
        if (used + bytes > room) break;
        used += bytes;
        n = next;
    }
    return text.substr(0, n);
}

LRESULT CALLBACK LimitProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR maxBytes) {
    int limit = static_cast<int>(maxBytes);
    switch (msg) {
    case WM_CHAR: {
        // Control characters (backspace, Ctrl+letters) never add text.
        if (wParam < 0x20) break;
        wchar_t typed = static_cast<wchar_t>(wParam);
        if (BytesBesideSelection(edit) + AnsiBytes(std::wstring_view(&typed, 1)) > limit) {
            MessageBeep(MB_OK);
            return 0;
        }
        break;
    }
    case WM_PASTE: {
        std::wstring pasted = FittingStart(ClipboardText(edit), limit - BytesBesideSelection(edit));
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, &LimitProc, kSubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, msg, wParam, lParam);
}

}  // namespace

void LimitEditBytes(HWND edit, int maxBytes) {
    SetWindowSubclass(edit, &LimitProc, kSubclassId, static_cast<DWORD_PTR>(maxBytes < 0 ? 0 : maxBytes));
}

}  // namespace toolkit
