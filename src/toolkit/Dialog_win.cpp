#include "toolkit/Dialog_win.h"

#include <commctrl.h>

#include <cstring>
#include <utility>
#include <vector>

#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "toolkit/Application_win.h"
#include "toolkit/DarkControls_win.h"
#include "toolkit/Theme_win.h"

namespace toolkit {
namespace {

// An empty template: no controls, no font, no title (the title is a text
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

// The classes of the common controls (tab strip, up-down, hot key, status bar);
// cheap when they are registered already.
void RegisterCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

}  // namespace

LOGFONTW FormFontAt(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::wcscpy(font.lfFaceName, L"宋体");
    return font;
}

HFONT FormFont() {
    static ScaledFont font(FormFontAt(kDesignDpi), kDesignDpi);
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return common::Utf8(text);
}

bool IsChecked(HWND checkBox) { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

WORD HotKeyValue(HWND hotKey) { return LOWORD(SendMessageW(hotKey, HKM_GETHOTKEY, 0, 0)); }

void SetStatusText(HWND statusBar, const std::string& text) {
    SendMessageW(statusBar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(common::Wide(text).c_str()));
}

ModalDialog::ModalDialog(std::string title, int width, int height)
    : title_(std::move(title)), width_(width), height_(height) {}

ModalDialog::ModalDialog(std::string title, ClientSize client)
    : title_(std::move(title)), width_(client.width), height_(client.height), clientSize_(true) {}

int ModalDialog::ShowModal() {
    EmptyTemplate empty{};
    empty.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    empty.dialog.dwExtendedStyle = WS_EX_DLGMODALFRAME;
    OpenForm open;
    RegisterCommonControls();
    error_ = nullptr;
    placeOn_ = nullptr;
    hints_.Clear();
    tabPages_.clear();
    tabWidths_.clear();
    layout_.Clear();
    numberEdits_.clear();
    selfPlaced_.clear();
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &empty.dialog, Application::Instance().Handle(),
                                             &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
    if (result == -1) common::ThrowLastError();
    return static_cast<int>(result);
}

void ModalDialog::Close(int result) {
    if (hwnd_) EndDialog(hwnd_, result);
}

HWND ModalDialog::CreateControl(const wchar_t* className, const std::string& text, DWORD style, int id, DWORD exStyle) {
    HWND parent = placeOn_ ? placeOn_ : hwnd_;
    HWND control =
        CreateWindowExW(exStyle, className, common::Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) common::ThrowLastError();
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND ModalDialog::AddPlaced(const wchar_t* className, const std::string& text, DWORD style, int x, int y, Extent width,
                            Extent height, int id, DWORD exStyle) {
    HWND control = CreateControl(className, text, style, id, exStyle);
    layout_.Place(control, x, y, width, height);
    return control;
}

HWND ModalDialog::AddControl(const wchar_t* className, const std::string& text, DWORD style, int x, int y, int width,
                             int height, int id, DWORD exStyle) {
    return AddPlaced(className, text, style, x, y, {Extent::Fixed, width}, {Extent::Fixed, height}, id, exStyle);
}

HWND ModalDialog::AddLabel(const std::string& text, int x, int y, int width, int height) {
    Extent w = width < 0 ? Extent{Extent::Text, 0} : Extent{Extent::Fixed, width};
    Extent h = height < 0 ? Extent{Extent::Text, 0} : Extent{Extent::Fixed, height};
    // SS_NOTIFY: the label is hit by the pointer, so its hint shows.
    return AddPlaced(L"STATIC", text, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, x, y, w, h);
}

HWND ModalDialog::AddEdit(const std::string& text, int x, int y, int width, int height, DWORD style) {
    // As tall as the font's line with the edit's borders and margins.
    Extent h = height < 0 ? Extent{Extent::Line, 8} : Extent{Extent::Fixed, height};
    return AddPlaced(L"EDIT", text, WS_TABSTOP | ES_AUTOHSCROLL | style, x, y, {Extent::Fixed, width}, h, 0,
                     WS_EX_CLIENTEDGE);
}

HWND ModalDialog::AddButton(const std::string& caption, int id, int x, int y, int width, int height) {
    DWORD kind = id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    return AddControl(L"BUTTON", caption, WS_TABSTOP | kind, x, y, width, height, id);
}

HWND ModalDialog::AddIconButton(HICON icon, int x, int y) {
    HWND button =
        AddPlaced(L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, x, y, {Extent::Line, 8 + 2}, {Extent::Line, 8});
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    return button;
}

HWND ModalDialog::AddCheckBox(const std::string& caption, bool checked, int x, int y, int width) {
    HWND box =
        AddPlaced(L"BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, x, y, {Extent::Fixed, width}, {Extent::Line, 6});
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return box;
}

NumberEdit ModalDialog::AddNumberEdit(int position, int min, int max, int maxDigits, int x, int y, int width) {
    NumberEdit number;
    number.edit = AddEdit("", x, y, width, -1, ES_NUMBER);
    SendMessageW(number.edit, EM_LIMITTEXT, static_cast<WPARAM>(maxDigits), 0);
    // Bound to the edit, on its right inside `width`; it writes the number into the edit.
    number.upDown =
        CreateControl(UPDOWN_CLASSW, "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0);
    FitUpDown(number);
    SendMessageW(number.upDown, UDM_SETRANGE32, static_cast<WPARAM>(min), max);
    SendMessageW(number.upDown, UDM_SETPOS32, 0, position);
    numberEdits_.push_back(number);
    return number;
}

void ModalDialog::FitUpDown(const NumberEdit& number) {
    SendMessageW(number.upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(number.edit), 0);
    // The up-down takes a width of 96 dpi (Wine's always does): widen it into the edit.
    RECT upDown{}, edit{};
    GetWindowRect(number.upDown, &upDown);
    GetWindowRect(number.edit, &edit);
    HWND parent = GetParent(number.edit);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&upDown), 2);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&edit), 2);
    int extra = Scaled(16) - (upDown.right - upDown.left);
    if (extra <= 0) return;
    SetWindowPos(number.edit, nullptr, 0, 0, edit.right - edit.left - extra, edit.bottom - edit.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(number.upDown, nullptr, upDown.left - extra, upDown.top, upDown.right - upDown.left + extra,
                 upDown.bottom - upDown.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND ModalDialog::AddHotKey(WORD value, WORD refused, WORD replacement, int x, int y, int width) {
    HWND hotKey =
        AddPlaced(HOTKEY_CLASSW, "", WS_TABSTOP, x, y, {Extent::Fixed, width}, {Extent::Line, 8}, 0, WS_EX_CLIENTEDGE);
    SendMessageW(hotKey, HKM_SETRULES, refused, MAKELPARAM(replacement, 0));
    SendMessageW(hotKey, HKM_SETHOTKEY, value, 0);
    return hotKey;
}

HWND ModalDialog::AddLine(int x, int y, int width) {
    HWND line = AddControl(L"STATIC", "", SS_ETCHEDHORZ, x, y, width, 2);
    PaintDarkLine(line);
    return line;
}

HWND ModalDialog::AddStatusBar() {
    // The bar places itself along the bottom of the dialog.
    HWND bar = CreateControl(STATUSCLASSNAMEW, "", 0, 0, 0);
    SendMessageW(bar, SB_SIMPLE, TRUE, 0);
    SendMessageW(bar, WM_SIZE, 0, 0);  // as tall as the font it was just given
    PaintDarkStatusBar(bar);
    selfPlaced_.push_back(bar);
    return bar;
}

TabPages& ModalDialog::AddTabPages(const std::vector<std::string>& captions, int tabWidth, int x, int y,
                                   int width, int height) {
    HWND strip = AddControl(WC_TABCONTROLW, "", WS_TABSTOP | TCS_HOTTRACK | TCS_FIXEDWIDTH, x, y, width, height);
    tabPages_.push_back(std::make_unique<TabPages>(hwnd_, strip, captions, Scaled(tabWidth)));
    tabWidths_.push_back(tabWidth);
    return *tabPages_.back();
}

void ModalDialog::ChangeDpi(UINT dpi, const RECT& suggested) {
    ScaledFont previous = std::exchange(font_, ScaledFont(FormFontAt(dpi), dpi));  // until the controls let go
    auto setFont = [this](HWND window) {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    };
    setFont(hwnd_);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layout_.LayOut(dpi, font_.get());
    for (size_t i = 0; i < tabPages_.size(); ++i) tabPages_[i]->Layout(Scaled(tabWidths_[i]));
    // The edit has its full width again: the up-down takes its place inside it anew.
    for (const NumberEdit& number : numberEdits_) FitUpDown(number);
    for (HWND window : selfPlaced_) {
        setFont(window);
        SendMessageW(window, WM_SIZE, 0, 0);
    }
    OnDpiChanged();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ModalDialog::Focus(HWND control) noexcept {
    if (hwnd_) SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void ModalDialog::Place() {
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE));
    // The design's client area: an outer size less the frame at 96 dpi.
    int clientWidth = width_, clientHeight = height_;
    if (!clientSize_) {
        RECT frame = OuterRect({0, 0, 0, 0}, style, exStyle, kDesignDpi);
        clientWidth -= frame.right - frame.left;
        clientHeight -= frame.bottom - frame.top;
    }
    RECT outer = OuterRect({0, 0, Scaled(clientWidth), Scaled(clientHeight)}, style, exStyle, Dpi());
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ModalDialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
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
    if (LRESULT brush = 0; Theme::Current().ControlColour(msg, wParam, brush)) return static_cast<INT_PTR>(brush);
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowTextW(hwnd_, common::Wide(title_).c_str());
        // Centred on the screen: the primary monitor's DPI.
        const UINT dpi = DpiAtPoint({0, 0});
        font_ = ScaledFont(FormFontAt(dpi), dpi);
        layout_.LayOut(dpi, font_.get());
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        Place();
        OnCreate();
        TurnOffSystemDialogScaling(hwnd_);  // every control exists by now
        Theme::Current().Follow(hwnd_);
        HWND focus = initialFocus_ ? initialFocus_ : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
        if (focus) Focus(focus);
        return FALSE;  // we chose the focus ourselves
    }
    case WM_DPICHANGED:
        ChangeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_SETCURSOR:
        hints_.PointerOver(reinterpret_cast<HWND>(wParam), hwnd_, [this](const std::string& hint) { OnHint(hint); });
        return FALSE;  // the control under the pointer still sets the cursor
    case WM_NOTIFY:
        for (const auto& tabs : tabPages_)
            if (tabs->Notified(*reinterpret_cast<const NMHDR*>(lParam))) return TRUE;
        return FALSE;
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
