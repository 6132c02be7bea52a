#pragma once
// Pasting a picked clip into the window the user came from.
#include <windows.h>

namespace find {

// True for a window of another program that can take a paste: not null, not
// one of ours (a window whose root owner has a class of ours), not the
// desktop nor the taskbar.
bool IsPasteTarget(HWND window);
// Sends Ctrl+V to the foreground window, after key releases for the
// modifiers still held (the Alt of the hot key would make it Ctrl+Alt+V).
// False when the input was refused.
bool SendPaste();

}  // namespace find
