#pragma once
// A modal dialog built at run time. An empty in-memory template gives us the
// platform's dialog manager (its modal loop with IsDialogMessage: Tab order,
// Enter for the default button, Escape and the close box for cancel); the
// controls are created when the dialog starts, in Tab order, with the form
// font. Places and sizes are given in pixels at 96 dpi and scaled to the DPI
// of the monitor the dialog opens on; moved to a monitor of another DPI, the
// dialog makes its font again and lays its controls out anew.
#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ControlHints_win.h"
#include "toolkit/ControlLayout_win.h"
#include "toolkit/Dpi_win.h"
#include "toolkit/Handles_win.h"
#include "toolkit/TabPages_win.h"

namespace toolkit {

// The program's form font: "宋体" 9 points, GB2312; characters 12 pixels high at 96 dpi.
LOGFONTW FormFontAt(UINT dpi);
// The form font at 96 dpi.
HFONT FormFont();

// The text of a window or control.
std::string WindowText(HWND window);

// Values of the controls below.
bool IsChecked(HWND checkBox);
WORD HotKeyValue(HWND hotKey);
void SetStatusText(HWND statusBar, const std::string& text);

// An edit that takes digits only, with an up-down bound to it.
struct NumberEdit {
    HWND edit = nullptr;
    HWND upDown = nullptr;
};

class ModalDialog {
public:
    struct ClientSize {
        int width, height;
    };
    // `width` and `height` are the outer size at 96 dpi; the dialog is centred on the screen.
    ModalDialog(std::string title, int width, int height);
    // The same with the size of the client area.
    ModalDialog(std::string title, ClientSize client);
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Runs the dialog until it closes and returns IDOK, IDCANCEL or the id given to Close.
    // While it is open it counts as an open form of the program. An error raised by
    // a handler closes the dialog and is thrown again once the dialog is gone.
    int ShowModal();
    HWND Handle() const noexcept { return hwnd_; }
    void Close(int result);
    // The DPI the dialog is laid out for.
    UINT Dpi() const noexcept { return layout_.Dpi(); }
    // `value` pixels at 96 dpi as pixels at the dialog's DPI.
    int Scaled(int value) const noexcept { return layout_.Scaled(value); }

protected:
    // Creates the controls.
    virtual void OnCreate() = 0;
    // The default button (IDOK) was chosen; false keeps the dialog open.
    virtual bool OnOk() { return true; }
    // A command of a control other than IDOK and IDCANCEL (also of a control on
    // a tab page); true when handled.
    virtual bool OnCommand(WORD /*id*/, WORD /*code*/, HWND /*control*/) { return false; }
    // Any other message; true when handled (`result` is the dialog procedure's answer).
    virtual bool OnMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) { return false; }
    // The hint under the pointer changed (see SetHint).
    virtual void OnHint(const std::string& /*hint*/) {}
    // The dialog was laid out anew for another DPI: images of that DPI go here.
    virtual void OnDpiChanged() {}

    // Controls, each taking the next place in the Tab order, on the dialog or
    // on the page chosen with PlaceOn. A width or height of -1 sizes a label to its text.
    HWND AddControl(const wchar_t* className, const std::string& text, DWORD style, int x, int y, int width,
                    int height, int id = 0, DWORD exStyle = 0);
    HWND AddLabel(const std::string& text, int x, int y, int width = -1, int height = -1);
    // An edit of the platform's default height when `height` is -1.
    HWND AddEdit(const std::string& text, int x, int y, int width, int height = -1, DWORD style = 0);
    // IDOK becomes the default button.
    HWND AddButton(const std::string& caption, int id, int x, int y, int width, int height);
    // A push button showing `icon` (kept by the caller) instead of text, as
    // tall as an edit and two pixels wider.
    HWND AddIconButton(HICON icon, int x, int y);
    HWND AddCheckBox(const std::string& caption, bool checked, int x, int y, int width);
    // The edit shows `position`, takes at most `maxDigits` digits; the up-down
    // steps from `min` to `max`. `width` includes the up-down.
    NumberEdit AddNumberEdit(int position, int min, int max, int maxDigits, int x, int y, int width);
    // A hot-key capture control holding `value` (virtual key and HOTKEYF_ flags).
    // Combinations in `refused` (HKCOMB_ flags) get `replacement` (HOTKEYF_ flags) instead.
    HWND AddHotKey(WORD value, WORD refused, WORD replacement, int x, int y, int width);
    // An engraved horizontal line.
    HWND AddLine(int x, int y, int width);
    // A status bar along the bottom with one simple panel.
    HWND AddStatusBar();
    // A tab strip with one page per caption; pages are filled through PlaceOn.
    TabPages& AddTabPages(const std::vector<std::string>& captions, int tabWidth, int x, int y, int width,
                          int height);
    // Later controls go on `parent` (a tab page), or on the dialog again with nullptr.
    void PlaceOn(HWND parent) noexcept { placeOn_ = parent; }
    // Gives `control` the keyboard focus when the dialog opens (the first control otherwise).
    void FocusOnOpen(HWND control) noexcept { initialFocus_ = control; }
    // Shown through OnHint while the pointer is over `control` (a control
    // without one shows its parent's, up to the dialog; none is "").
    void SetHint(HWND control, std::string hint) { hints_.Set(control, std::move(hint)); }
    // Moves the focus to `control` as the Tab key would (an edit's text is selected).
    void Focus(HWND control) noexcept;

private:
    HWND CreateControl(const wchar_t* className, const std::string& text, DWORD style, int id, DWORD exStyle);
    HWND AddPlaced(const wchar_t* className, const std::string& text, DWORD style, int x, int y, Extent width,
                   Extent height, int id = 0, DWORD exStyle = 0);
    // Binds the up-down to its edit, on the edit's right, as wide as a scroll bar's arrow at the dialog's DPI.
    void FitUpDown(const NumberEdit& number);
    void ChangeDpi(UINT dpi, const RECT& suggested);

    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void Place();

    std::string title_;
    int width_, height_;
    bool clientSize_ = false;
    ScaledFont font_;
    ControlLayout layout_;
    std::vector<NumberEdit> numberEdits_;
    std::vector<HWND> selfPlaced_;  // status bars: they follow the dialog's size
    std::vector<int> tabWidths_;    // of each tab strip, at 96 dpi
    HWND hwnd_ = nullptr;
    HWND placeOn_ = nullptr;
    HWND initialFocus_ = nullptr;
    ControlHints hints_;
    std::vector<std::unique_ptr<TabPages>> tabPages_;
    std::exception_ptr error_;
};

}  // namespace toolkit
