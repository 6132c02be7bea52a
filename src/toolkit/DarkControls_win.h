#pragma once
// Controls the system draws only in light colours, painted by us under the
// dark theme: a status bar (its simple text) and an etched line. Under the
// light theme and high contrast they paint themselves as ever.
#include <windows.h>

namespace toolkit {

void PaintDarkStatusBar(HWND statusBar);
void PaintDarkLine(HWND etchedLine);

}  // namespace toolkit
