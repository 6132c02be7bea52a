#pragma once
// Helpers of the Windows tests: hidden windows that play the program or
// "another program", and direct writes to the real clipboard.
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Handles_win.h"
#include "toolkit/Window_win.h"

namespace testing_support {

class HiddenWindow : public toolkit::Window {
public:
    explicit HiddenWindow(const char* title = "PellacorTestWindow") {
        CreateHandle(WS_EX_TOOLWINDOW, WS_POPUP, nullptr, title);
    }
};

using Formats = std::vector<std::pair<UINT, std::string>>;

// Empties the clipboard as `owner` and puts each format on it, bytes as given
// (a text format needs its own zero byte to be terminated).
inline bool PutOnClipboard(HWND owner, const Formats& formats) {
    toolkit::ClipboardSession session(owner);
    if (!session) return false;
    EmptyClipboard();
    for (const auto& [format, bytes] : formats) {
        toolkit::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1));
        {
            toolkit::GlobalLockGuard lock(block.get());
            if (!lock) return false;
            std::memcpy(lock.data(), bytes.data(), bytes.size());
        }
        if (!SetClipboardData(format, block.get())) return false;
        block.release();
    }
    return true;
}

// A text format with its terminating zero.
inline std::pair<UINT, std::string> Text(UINT format, const std::string& text) {
    return {format, text + std::string(1, '\0')};
}

// The bytes of `format` up to the first zero, read with `reader`'s window.
inline std::string ClipboardText(HWND reader, UINT format) {
    toolkit::ClipboardSession session(reader);
    if (!session) return "<clipboard busy>";
    HANDLE data = GetClipboardData(format);
    if (!data) return "<absent>";
    toolkit::GlobalLockGuard lock(data);
    const char* bytes = static_cast<const char*>(lock.data());
    return std::string(bytes, strnlen(bytes, lock.size()));
}

}  // namespace testing_support
