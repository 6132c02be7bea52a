#pragma once
// A modal dialog built at run time. An empty in-memory template gives us the
// platform's dialog manager (its modal loop, Tab order, Enter for the default
// button, Escape and the close box for cancel); the controls are created in
// pixels when the dialog starts, in Tab order, with the form font.
#include <windows.h>

#include <exception>
#include <string>

#include "toolkit/Handles_win.h"

namespace toolkit {

// The program's form font: "宋体", characters 12 pixels high, GB2312.
HFONT FormFont();

// The text of a window or control, in the ANSI code page.
std::string WindowText(HWND window);

class ModalDialog {
public:
    // `width` and `height` are the outer size in pixels; the dialog is centred on the screen.
    ModalDialog(std::string title, int width, int height);
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Runs the dialog until it closes and returns IDOK, IDCANCEL or the id given to Close.
    // While it is open it counts as an open form of the program. An error raised by
    // a handler closes the dialog and is thrown again once the dialog is gone.
    int ShowModal();
    HWND Handle() const noexcept { return hwnd_; }
    void Close(int result);

protected:
    // Creates the controls.
    virtual void OnCreate() = 0;
    // The default button (IDOK) was chosen; false keeps the dialog open.
    virtual bool OnOk() { return true; }
    // A command of a control other than IDOK and IDCANCEL; true when handled.
    virtual bool OnCommand(WORD /*id*/, WORD /*code*/, HWND /*control*/) { return false; }
    // Any other message; true when handled (`result` is the dialog procedure's answer).
    virtual bool OnMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) { return false; }

    // Controls, each taking the next place in the Tab order. A width or height
    // of -1 sizes a label to its text.
    HWND AddControl(const char* className, const std::string& text, DWORD style, int x, int y, int width,
                    int height, int id = 0, DWORD exStyle = 0);
    HWND AddLabel(const std::string& text, int x, int y, int width = -1, int height = -1);
    // An edit of the platform's default height when `height` is -1.
    HWND AddEdit(const std::string& text, int x, int y, int width, int height = -1, DWORD style = 0);
    // IDOK becomes the default button.
    HWND AddButton(const std::string& caption, int id, int x, int y, int width, int height);
    // Gives `control` the keyboard focus when the dialog opens (the first control otherwise).
    void FocusOnOpen(HWND control) noexcept { initialFocus_ = control; }

private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void Place();

    std::string title_;
    int width_, height_;
    HWND hwnd_ = nullptr;
    HWND initialFocus_ = nullptr;
    std::exception_ptr error_;
};

}  // namespace toolkit
