#pragma once
// Reading and writing the text formats of the clipboard.
#include <windows.h>

#include <string>
#include <string_view>

#include "toolkit/Handles_win.h"

namespace clipboard {

// The bytes of `format` up to its first zero byte, from the clipboard that the
// caller holds open (a change is read in one session); empty when the format
// is absent.
std::string ReadClipboardText(UINT format);

// The text of the clipboard that the caller holds open, in UTF-8: from
// CF_UNICODETEXT when it is there, else from CF_TEXT in the code page of the
// change's CF_LOCALE (the system's code page without one).
std::string ReadClipboardUnicodeText();

// The pieces of reading and writing, for callers that hold the clipboard.

// The bytes of a global block up to its first zero byte, never past GlobalSize:
// a block without a zero byte is read up to its size.
std::string TextOfBlock(HGLOBAL block);
// The same for a block of UTF-16 text, as UTF-8.
std::string TextOfWideBlock(HGLOBAL block);
// A movable block holding `text` and a zero byte; empty when allocation fails.
toolkit::UniqueGlobal MakeTextBlock(std::string_view text);
// A movable block holding the UTF-16 form of `utf8` and a zero character.
toolkit::UniqueGlobal MakeWideTextBlock(std::string_view utf8);
// The ANSI code page of a CF_LOCALE block's locale; the system's when the block
// says nothing usable.
UINT CodePageOfLocaleBlock(HGLOBAL block);

}  // namespace clipboard
