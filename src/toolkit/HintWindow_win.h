#pragma once
// The toolkit's hint window: a tooltip-like pop-up with a one-pixel raised
// edge that never takes the focus or activation and lets the mouse through.
// Its caption is drawn in the system's tooltip font and colours, wrapped,
// without mnemonic prefixes. Hiding destroys the window; showing makes it anew.
// Font and spacing are those of one DPI, the pointer's when it is made.
#include <windows.h>

#include <string>

#include "toolkit/Dpi_win.h"
#include "toolkit/Handles_win.h"
#include "toolkit/Window_win.h"

namespace toolkit {

class THintWindow : public Window {
public:
    THintWindow();

    // Font and spacing for `dpi` from now on.
    void SetDpi(UINT dpi);
    UINT Dpi() const noexcept { return font_.Dpi(); }
    // `value` pixels at 96 dpi as pixels at the hint's DPI.
    int Scaled(int value) const noexcept { return Scale(value, Dpi()); }

    // The caption's size when laid out as painted, wrapped at `maxWidth`:
    // the laid-out width plus 6 and height plus 2 (at 96 dpi), at 0,0.
    RECT CalcHintRect(int maxWidth, const std::string& text) const;
    // Takes the caption, grows the rectangle by 4 (at 96 dpi) in height, keeps it inside
    // the desktop and shows the window there, topmost and not activated,
    // painted before the call returns.
    void ActivateHint(RECT rect, const std::string& caption);
    // Hides the hint by destroying its window.
    void ReleaseHandle() noexcept { DestroyHandle(); }

    const std::string& Caption() const noexcept { return caption_; }

protected:
    // Paints into an off-screen bitmap first, so the hint never flickers.
    bool DoubleBuffered = false;
    // Paints the client area after the background was filled; the base draws the caption.
    virtual void Paint(HDC dc, const RECT& client);
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintClient(HDC dc, const RECT& client);
    HGDIOBJ HintFont() const noexcept { return font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT); }

    std::string caption_;
    ScaledFont font_;
};

}  // namespace toolkit
