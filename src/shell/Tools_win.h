#pragma once
// The Tools submenu of the general menu: screen and window capture, emptying
// the clipboard.
#include <windows.h>

#include "clipboard/ClipboardOwner_win.h"
#include "toolkit/MenuItem_win.h"

namespace shell {

// Runs as the Tools submenu is about to open.
void UpdateEmptyClipboardItem(toolkit::MenuItem& mniEmptyClipboard);

// "清空剪贴板": asks first (system-modal, No by default); on Yes the clipboard
// is emptied, or the user is told why not.
void EmptyClipboardAfterConfirmation();

// "捕获屏幕" and "捕获窗口": a picture of the whole screen (all monitors), or
// of the window the user works in, goes on the clipboard as a bitmap, as the
// print-screen key would put it there. The screen settles for 400 ms first.
// While another program holds the desktop's drawing lock nothing is taken.
// Failures (that lock, no window to take, no memory) are reported.
// The clipboard's owner is the application window, not ClipboardOwnerWindow,
// so the capture routine takes the picture as an image clip when watching is on.
void CaptureScreen();
void CaptureWindow();

// The window "捕获窗口" takes: the active window when a person can see it;
// otherwise (the tray menu left one of our hidden windows active) the
// topmost window below it that a person could be working in. Null when none.
HWND WindowToCapture();

// Puts the screen's pixels in `area` (screen coordinates) on the clipboard as
// a bitmap owned by `owner`. Throws common::Win32Error.
void PutScreenAreaOnClipboard(const RECT& area, HWND owner);

}  // namespace shell
