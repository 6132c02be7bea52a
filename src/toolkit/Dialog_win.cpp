#include "toolkit/Dialog_win.h"

#include <vector>

#include "common/Win32Error_win.h"
#include "toolkit/Application_win.h"

namespace toolkit {
namespace {

// An empty template: no controls, no font, no title (the title is ANSI text
// of ours, set when the dialog starts). Dialog templates must be DWORD-aligned.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
};

// Keeps the open-form count right on every way out of ShowModal.
class OpenForm {
public:
    OpenForm() noexcept { Application::Instance().FormOpened(); }
    ~OpenForm() { Application::Instance().FormClosed(); }
    OpenForm(const OpenForm&) = delete;
    OpenForm& operator=(const OpenForm&) = delete;
};

SIZE TextExtent(HWND window, HFONT font, const std::string& text) {
    WindowDC dc(window);
    SelectedObject selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace

HFONT FormFont() {
    static UniqueFont font(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, "宋体"));
    return font.get() ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

ModalDialog::ModalDialog(std::string title, int width, int height)
    : title_(std::move(title)), width_(width), height_(height) {}

int ModalDialog::ShowModal() {
    EmptyTemplate empty{};
    empty.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    empty.dialog.dwExtendedStyle = WS_EX_DLGMODALFRAME;
    OpenForm open;
    error_ = nullptr;
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &empty.dialog,
                                             Application::Instance().Handle(), &ModalDialog::Procedure,
                                             reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
    if (result == -1) common::ThrowLastError();
    return static_cast<int>(result);
}

void ModalDialog::Close(int result) {
    if (hwnd_) EndDialog(hwnd_, result);
}

HWND ModalDialog::AddControl(const char* className, const std::string& text, DWORD style, int x, int y, int width,
                             int height, int id, DWORD exStyle) {
    HWND control = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) common::ThrowLastError();
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont()), FALSE);
    return control;
}

HWND ModalDialog::AddLabel(const std::string& text, int x, int y, int width, int height) {
    SIZE size = TextExtent(hwnd_, FormFont(), text);
    return AddControl("STATIC", text, SS_LEFT | SS_NOPREFIX, x, y, width < 0 ? size.cx : width,
                      height < 0 ? size.cy : height);
}

HWND ModalDialog::AddEdit(const std::string& text, int x, int y, int width, int height, DWORD style) {
    if (height < 0) {
        // As tall as the font's line with the edit's borders and margins.
        height = TextExtent(hwnd_, FormFont(), "Wg").cy + 8;
    }
    return AddControl("EDIT", text, WS_TABSTOP | ES_AUTOHSCROLL | style, x, y, width, height, 0, WS_EX_CLIENTEDGE);
}

HWND ModalDialog::AddButton(const std::string& caption, int id, int x, int y, int width, int height) {
    DWORD kind = id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    return AddControl("BUTTON", caption, WS_TABSTOP | kind, x, y, width, height, id);
}

void ModalDialog::Place() {
    int x = (GetSystemMetrics(SM_CXSCREEN) - width_) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height_) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ModalDialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self) return FALSE;
    try {
        return self->Handle(msg, wParam, lParam);
    } catch (...) {
        // The dialog goes first; ShowModal then throws the error again.
        if (!self->error_) self->error_ = std::current_exception();
        EndDialog(hwnd, IDCANCEL);
        return TRUE;
    }
}

INT_PTR ModalDialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (OnMessage(msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowTextA(hwnd_, title_.c_str());
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont()), FALSE);
        Place();
        OnCreate();
        HWND focus = initialFocus_ ? initialFocus_ : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
        if (focus) SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
        return FALSE;  // we chose the focus ourselves
    }
    case WM_COMMAND: {
        WORD id = LOWORD(wParam);
        if (id == IDOK && HIWORD(wParam) == BN_CLICKED) {
            if (OnOk()) EndDialog(hwnd_, IDOK);
            return TRUE;
        }
        if (id == IDCANCEL) {
            EndDialog(hwnd_, IDCANCEL);
            return TRUE;
        }
        return OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    }
    default:
        return FALSE;
    }
}

}  // namespace toolkit
