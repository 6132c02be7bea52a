#include "clipboard/ClipboardWrite_win.h"

#include "clipboard/ClipboardOwner_win.h"
#include "clipboard/ClipboardText_win.h"
#include "common/CodePage.h"
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

void ClipboardWrite::AddUnicodeText(std::string_view text) {
    toolkit::UniqueGlobal block = MakeWideTextBlock(text);
    if (!block) throw common::Win32Error(ERROR_NOT_ENOUGH_MEMORY);
    Add(CF_UNICODETEXT, std::move(block));
    AddText(CF_TEXT, common::Utf8ToCodePage(text, common::kSystemCodePage));
}

void ClipboardWrite::Commit() {
    toolkit::ClipboardSession clipboard(ClipboardOwnerWindow, kPatienceMs);
    if (!clipboard) throw common::Failure(kClipboardBusy);
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
