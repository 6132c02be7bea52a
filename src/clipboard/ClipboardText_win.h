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

// The pieces of reading and writing, for callers that hold the clipboard.

// The bytes of a global block up to its first zero byte, never past GlobalSize:
// a block without a zero byte is read up to its size.
std::string TextOfBlock(HGLOBAL block);
// A movable block holding `text` and a zero byte; empty when allocation fails.
toolkit::UniqueGlobal MakeTextBlock(std::string_view text);

}  // namespace clipboard
