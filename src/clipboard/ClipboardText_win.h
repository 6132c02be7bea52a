#pragma once
// Reading and writing one text format of the clipboard.
#include <windows.h>

#include <string>
#include <string_view>

#include "toolkit/Handles_win.h"

namespace clipboard {

// The bytes of `format` up to its first zero byte, from the clipboard that the
// caller holds open (a change is read in one session); empty when the format
// is absent.
std::string ReadClipboardText(UINT format);

// Writes `text` and a zero byte as `format`, emptying the clipboard first when
// asked. When the clipboard can't be opened or the block can't be allocated,
// nothing is written and the clipboard keeps what it had.
void WriteClipboardText(std::string_view text, UINT format, bool emptyFirst);

// The pieces of the routines above, for callers that hold the clipboard.

// The bytes of a global block up to its first zero byte, never past GlobalSize:
// a block without a zero byte is read up to its size.
std::string TextOfBlock(HGLOBAL block);
// A movable block holding `text` and a zero byte; empty when allocation fails.
toolkit::UniqueGlobal MakeTextBlock(std::string_view text);
// Hands `block` to the clipboard, which must be open. A missing block (a failed
// allocation) leaves the clipboard untouched; the block is freed only when
// SetClipboardData refuses it. Returns whether the clipboard took it.
bool HandToClipboard(toolkit::UniqueGlobal block, UINT format, bool emptyFirst);

}  // namespace clipboard
