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
// True when `program` is one of `ignored` (the setting IgnoredPrograms).
bool IsExcludedProgram(const std::string& program, const std::string& ignored);

// The program a change came from, noted when the change is notified, before
// any wait: a helper that copies and exits, or a program that copies with no
// window, has no owner left by the time the change is read. With no owner
// window then either, the program of the window in the foreground stands for it.
void NoteClipboardSource();
// The program of the change `owner` owns now, which has `sequence`: the
// owner's while it lives, else the one noted for that change, else "不可用".
std::string ClipboardSourceOf(HWND owner, DWORD sequence);

extern const char* const kUnavailable;

}  // namespace clipboard
