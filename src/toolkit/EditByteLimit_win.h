#pragma once
// A limit on what a person may type or paste into an edit, counted in bytes of
// the ANSI code page (a Chinese character counts two). The platform's own
// limit (EM_LIMITTEXT) counts characters under Wine. A longer text already in
// the edit stays whole: the limit only refuses more.
#include <windows.h>

namespace toolkit {

void LimitEditBytes(HWND edit, int maxBytes);

}  // namespace toolkit
