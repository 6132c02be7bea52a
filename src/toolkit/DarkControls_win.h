#pragma once
// Controls the system draws only in light colours, painted by us under the
// dark theme: a status bar (its simple text), an etched line and a tab strip.
// Under the light theme and high contrast they paint themselves as ever.
#include <windows.h>

namespace toolkit {

void PaintDarkStatusBar(HWND statusBar);
void PaintDarkLine(HWND etchedLine);
// Paints the whole strip with its tabs, the chosen one lit; for the strip's own WM_PAINT under the dark theme.
void PaintDarkTabStrip(HWND strip, HDC dc);

}  // namespace toolkit
