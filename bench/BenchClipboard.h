#pragma once
// What "another program" does in the benchmarks: puts a text on the clipboard
// it holds open.
#include <windows.h>

#include <string_view>

#include "clipboard/ClipboardText_win.h"

inline void PutTextBlock(std::string_view text) {
    toolkit::UniqueGlobal block = clipboard::MakeTextBlock(text);
    if (block && SetClipboardData(CF_TEXT, block.get())) block.release();  // the clipboard's now
}
