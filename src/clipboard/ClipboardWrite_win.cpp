#include "clipboard/ClipboardWrite_win.h"

#include <algorithm>

#include "clipboard/ClipboardOwner_win.h"
#include "clipboard/ClipboardText_win.h"
#include "common/Win32Error_win.h"

namespace clipboard {

const char* const kClipboardBusy = "剪贴板正被另一个程序占用, 剪辑没有写入剪贴板.";

void ClipboardWrite::Add(UINT format, toolkit::UniqueGlobal block) { entries_.push_back({format, std::move(block)}); }
void ClipboardWrite::Add(UINT format, toolkit::UniqueBitmap bitmap) { entries_.push_back({format, std::move(bitmap)}); }
void ClipboardWrite::Add(UINT format, toolkit::UniquePalette palette) {
    entries_.push_back({format, std::move(palette)});
}

void ClipboardWrite::AddText(UINT format, std::string_view text) {
    toolkit::UniqueGlobal block = MakeTextBlock(text);
    if (!block) throw common::Win32Error(ERROR_NOT_ENOUGH_MEMORY);
    Add(format, std::move(block));
}

void ClipboardWrite::AddUnicodeText(std::u16string_view text) {
    size_t bytes = (text.size() + 1) * sizeof(char16_t);
    toolkit::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes));
    if (!block) throw common::Win32Error(ERROR_NOT_ENOUGH_MEMORY);
    {
        toolkit::GlobalLockGuard lock(block.get());
        if (!lock) throw common::Win32Error(ERROR_NOT_ENOUGH_MEMORY);
        auto* characters = static_cast<char16_t*>(lock.data());
        std::copy(text.begin(), text.end(), characters);
        characters[text.size()] = u'\0';
    }
    Add(CF_UNICODETEXT, std::move(block));
}

void ClipboardWrite::Commit() {
    toolkit::ClipboardSession clipboard(ClipboardOwnerWindow, kPatienceMs);
    if (!clipboard) throw common::Win32Error(kClipboardBusy);
    if (!EmptyClipboard()) common::ThrowLastError(ERROR_ACCESS_DENIED);
    DWORD firstFailure = ERROR_SUCCESS;
    for (Entry& entry : entries_) {
        std::visit(
            [&](auto& handle) {
                SetLastError(ERROR_SUCCESS);
                if (SetClipboardData(entry.format, handle.get())) {
                    handle.release();  // the clipboard's now
                } else if (firstFailure == ERROR_SUCCESS) {
                    firstFailure = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_INVALID_DATA;
                }
            },
            entry.data);
    }
    entries_.clear();
    if (firstFailure != ERROR_SUCCESS) throw common::Win32Error(firstFailure);
}

}  // namespace clipboard
