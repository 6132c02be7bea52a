#pragma once
// A one-line edit limited in bytes as a double-byte code page counts them (any
// character beyond ASCII counts two); the platform's own limit (EM_LIMITTEXT) counts characters under
// Wine. Every change of the text is checked once the edit has made it, so no
// source escapes: typing, Ctrl+V, Shift+Insert, the context menu's paste, an
// input method, EM_REPLACESEL, WM_SETTEXT. What was inserted keeps its first
// line and is cut at the last whole character that fits (toolkit/EditLimit.h).
// A longer text already in the edit stays whole: the limit only refuses more.
#include <windows.h>

namespace toolkit {

void LimitEditBytes(HWND edit, int maxBytes);

}  // namespace toolkit
