#pragma once
// What "another program" does in the benchmarks: puts a text on the clipboard
// it holds open, as a Unicode program does (the system makes CF_TEXT from it
// for a reader that asks).
#include <windows.h>

#include <string_view>

#include "clipboard/ClipboardText_win.h"

inline void PutTextBlock(std::string_view text) {
    toolkit::UniqueGlobal block = clipboard::MakeWideTextBlock(text);
    if (block && SetClipboardData(CF_UNICODETEXT, block.get())) block.release();  // the clipboard's now
}
