#pragma once
// Who writes and who owns the clipboard, and the formats registered for text.
#include <windows.h>

#include <string>

namespace clipboard {

// The window every clip routine opens the clipboard with (the main form's).
// Whatever the program writes is therefore owned by it, which is how the
// capture routine recognises our own writes.
extern HWND ClipboardOwnerWindow;
// Registered when the program starts, before any form exists.
extern UINT RichTextFormat;
extern UINT HTMLFormat;

// The executable name of the process that owns the clipboard, or "不可用".
std::string ClipboardOwnerName();
// The same for the owner window already asked for.
std::string ClipboardOwnerName(HWND owner);
// True when `owner` belongs to a program of `ignored` (the setting IgnoredPrograms).
bool OwnerIsIgnoredProgram(HWND owner, const std::string& ignored);

extern const char* const kUnavailable;

}  // namespace clipboard
