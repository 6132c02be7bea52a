#include "toolkit/Dialog_win.h"

#include <commctrl.h>

#include <vector>

#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "toolkit/Application_win.h"

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

SIZE TextExtent(HWND window, HFONT font, const std::string& text) {
    WindowDC dc(window);
    SelectedObject selected(dc.get(), font);
    SIZE size{};
    const std::wstring wide = common::Wide(text);
    GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

}  // namespace

HFONT FormFont() {
    static UniqueFont font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
    return font.get() ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
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
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &empty.dialog,
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

HWND ModalDialog::AddControl(const wchar_t* className, const std::string& text, DWORD style, int x, int y, int width,
                             int height, int id, DWORD exStyle) {
    HWND parent = placeOn_ ? placeOn_ : hwnd_;
    HWND control = CreateWindowExW(exStyle, className, common::Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (!control) common::ThrowLastError();
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont()), FALSE);
    return control;
}

HWND ModalDialog::AddLabel(const std::string& text, int x, int y, int width, int height) {
    SIZE size = TextExtent(hwnd_, FormFont(), text);
    // SS_NOTIFY: the label is hit by the pointer, so its hint shows.
    return AddControl(L"STATIC", text, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, x, y, width < 0 ? size.cx : width,
                      height < 0 ? size.cy : height);
}

HWND ModalDialog::AddEdit(const std::string& text, int x, int y, int width, int height, DWORD style) {
    if (height < 0) {
        // As tall as the font's line with the edit's borders and margins.
        height = TextExtent(hwnd_, FormFont(), "Wg").cy + 8;
    }
    return AddControl(L"EDIT", text, WS_TABSTOP | ES_AUTOHSCROLL | style, x, y, width, height, 0, WS_EX_CLIENTEDGE);
}

HWND ModalDialog::AddButton(const std::string& caption, int id, int x, int y, int width, int height) {
    DWORD kind = id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    return AddControl(L"BUTTON", caption, WS_TABSTOP | kind, x, y, width, height, id);
}

HWND ModalDialog::AddIconButton(HICON icon, int x, int y, int width, int height) {
    HWND button = AddControl(L"BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, x, y, width, height);
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    return button;
}

HWND ModalDialog::AddCheckBox(const std::string& caption, bool checked, int x, int y, int width) {
    int height = TextExtent(hwnd_, FormFont(), "Wg").cy + 6;
    HWND box = AddControl(L"BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, x, y, width, height);
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    return box;
}

NumberEdit ModalDialog::AddNumberEdit(int position, int min, int max, int maxDigits, int x, int y, int width) {
    NumberEdit number;
    number.edit = AddEdit("", x, y, width, -1, ES_NUMBER);
    SendMessageW(number.edit, EM_LIMITTEXT, static_cast<WPARAM>(maxDigits), 0);
    // Bound to the edit, on its right inside `width`; it writes the number into the edit.
    number.upDown = AddControl(UPDOWN_CLASSW, "",
                               UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0);
    SendMessageW(number.upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(number.edit), 0);
    SendMessageW(number.upDown, UDM_SETRANGE32, static_cast<WPARAM>(min), max);
    SendMessageW(number.upDown, UDM_SETPOS32, 0, position);
    return number;
}

HWND ModalDialog::AddHotKey(WORD value, WORD refused, WORD replacement, int x, int y, int width) {
    int height = TextExtent(hwnd_, FormFont(), "Wg").cy + 8;
    HWND hotKey = AddControl(HOTKEY_CLASSW, "", WS_TABSTOP, x, y, width, height, 0, WS_EX_CLIENTEDGE);
    SendMessageW(hotKey, HKM_SETRULES, refused, MAKELPARAM(replacement, 0));
    SendMessageW(hotKey, HKM_SETHOTKEY, value, 0);
    return hotKey;
}

HWND ModalDialog::AddLine(int x, int y, int width) { return AddControl(L"STATIC", "", SS_ETCHEDHORZ, x, y, width, 2); }

HWND ModalDialog::AddStatusBar() {
    // The bar places itself along the bottom of the dialog.
    HWND bar = AddControl(STATUSCLASSNAMEW, "", 0, 0, 0, 0, 0);
    SendMessageW(bar, SB_SIMPLE, TRUE, 0);
    return bar;
}

TabPages& ModalDialog::AddTabPages(const std::vector<std::string>& captions, int tabWidth, int x, int y,
                                   int width, int height) {
    HWND strip = AddControl(WC_TABCONTROLW, "", WS_TABSTOP | TCS_HOTTRACK | TCS_FIXEDWIDTH, x, y, width, height);
    tabPages_.push_back(std::make_unique<TabPages>(hwnd_, strip, captions, tabWidth));
    return *tabPages_.back();
}

void ModalDialog::Focus(HWND control) noexcept {
    if (hwnd_) SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void ModalDialog::Place() {
    int width = width_, height = height_;
    if (clientSize_) {
        RECT outer{0, 0, width_, height_};
        AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
        width = outer.right - outer.left;
        height = outer.bottom - outer.top;
    }
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
    switch (msg) {
    case WM_INITDIALOG: {
        SetWindowTextW(hwnd_, common::Wide(title_).c_str());
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont()), FALSE);
        Place();
        OnCreate();
        HWND focus = initialFocus_ ? initialFocus_ : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
        if (focus) Focus(focus);
        return FALSE;  // we chose the focus ourselves
    }
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
