#include "find/FindWindow_win.h"

#include <algorithm>
#include <utility>

#include "archive/ArchiveSession_win.h"
#include "clips/Clip_win.h"
#include "common/MessageBox_win.h"
#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "history/History_win.h"
#include "preview/HoverPreview_win.h"
#include "toolkit/Application_win.h"
#include "toolkit/Dpi_win.h"
#include "toolkit/HintPlacement.h"
#include "toolkit/ImageList_win.h"
#include "toolkit/Theme_win.h"

namespace find {
namespace {
const wchar_t kFindClass[] = L"PellacorFind";
const char kFindTitle[] = "查找剪辑";
// Posted by the edit, so that the window is never destroyed inside the edit's own message.
constexpr UINT WM_FINDPICK = WM_APP + 40;    // wParam: Shift was held
constexpr UINT WM_FINDCANCEL = WM_APP + 41;  // Esc, or the activation lost
constexpr UINT WM_FINDFOCUS = WM_APP + 42;   // the list was clicked: the edit takes the focus back
constexpr UINT WM_FINDARCHIVE = WM_APP + 43; // the archive's search found more (wParam: its generation)
constexpr UINT WM_FINDDELETE = WM_APP + 44;  // Shift+Del
constexpr size_t kRowsKept = 64;             // archived rows kept for drawing: about two screens
// The design at 96 dots per inch: the client area's width, the list's height, the margins.
constexpr int kWidth = 420, kListHeight = 320, kMargin = 6;
constexpr int kControlWidth = kWidth - 2 * kMargin;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU, kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;

// The message font at `dpi`, bold or not.
toolkit::ScaledFont MessageFont(UINT dpi, bool bold) {
    LOGFONTW font = toolkit::SystemFontAt(toolkit::SystemFont::Message, dpi);
    if (bold) font.lfWeight = FW_BOLD;
    return toolkit::ScaledFont(font, dpi);
}

int LineHeight(HFONT font) {
    toolkit::WindowDC screen(nullptr);
    toolkit::SelectedObject selected(screen.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return metrics.tmHeight;
}

// Where the controls go at 96 dpi: below an edit a line and a little high, the
// list, and a status line. The line is the message font's at 96 dpi.
struct Design {
    int line = LineHeight(MessageFont(toolkit::kDesignDpi, false).get());
    int editHeight = line + 8;
    int listTop = kMargin + editHeight + kMargin;
    int statusTop = listTop + kListHeight + kMargin / 2;
    int height = statusTop + line + kMargin;
};

std::wstring WindowTextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
}  // namespace

FindWindow::FindWindow(const history::History& history, toolkit::ImageList& icons, preview::HoverPreview* hover)
    : history_(history), icons_(icons), hover_(hover), finder_(history) {}

FindWindow::~FindWindow() { Close(); }

void FindWindow::Open(const std::wstring& typed, HWND returnTo) {
    returnTo_ = returnTo;
    if (!IsOpen()) {
        POINT at{};
        GetCursorPos(&at);
        Create(at);
    }
    finder_.Reload();  // the lists may have changed since the last opening
    if (archive_ && !search_) {
        search_ = std::make_unique<ArchiveSearch>(archive_->Path(), archive_->Key(), Handle(), WM_FINDARCHIVE);
        try {
            archiveTotal_ = archive_->Reader().Summary().Clips;
        } catch (const std::exception&) {
            archiveTotal_ = 0;
        }
    }
    SetWindowTextW(edit_, typed.c_str());
    SendMessageW(edit_, EM_SETSEL, typed.size(), static_cast<LPARAM>(typed.size()));
    Refilter();  // also when the text was the same and no EN_CHANGE came
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(edit_);
}

void FindWindow::Create(POINT at) {
    const UINT dpi = toolkit::DpiAtPoint(at);
    const Design design;
    font_ = MessageFont(dpi, false);
    boldFont_ = MessageFont(dpi, true);
    layout_.Clear();
    layout_.LayOut(dpi, font_.get());

    toolkit::Application& application = toolkit::Application::Instance();
    HWND owner = application.IsInitialized() ? application.Handle() : nullptr;  // no taskbar button
    CreateHandle(kExStyle, kStyle, owner, kFindTitle, kFindClass);
    RECT client{0, 0, layout_.Scaled(kWidth), layout_.Scaled(design.height)};
    RECT frame = toolkit::OuterRect(client, kStyle, kExStyle, dpi);
    // At the pointer, inside the work area of its monitor.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    toolkit::HintBox box = toolkit::KeepInsideDesktop(
        {at.x, at.y, at.x + frame.right - frame.left, at.y + frame.bottom - frame.top},
        {work.left, work.top, work.right, work.bottom});
    SetWindowPos(Handle(), HWND_TOPMOST, box.left, box.top, box.right - box.left, box.bottom - box.top,
                 SWP_NOACTIVATE);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    using toolkit::Extent;
    auto child = [&](DWORD ex, const wchar_t* cls, DWORD childStyle, int y, Extent height) {
        HWND control = CreateWindowExW(ex, cls, L"", WS_CHILD | WS_VISIBLE | childStyle, 0, 0, 0, 0, Handle(), nullptr,
                                       instance, nullptr);
        if (!control) common::ThrowLastError();
        layout_.Place(control, kMargin, y, {Extent::Fixed, kControlWidth}, height);
        return control;
    };
    edit_ = child(WS_EX_CLIENTEDGE, L"EDIT", ES_AUTOHSCROLL, kMargin, {Extent::Line, 8});
    list_ = child(WS_EX_CLIENTEDGE, WC_LISTVIEWW,
                  LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                      LVS_SHAREIMAGELISTS,
                  design.listTop, {Extent::Fixed, kListHeight});
    status_ = child(0, L"STATIC", SS_LEFT | SS_NOPREFIX, design.statusTop, {Extent::Line, 0});
    SetWindowSubclass(edit_, &FindWindow::EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons_.Handle()));
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = ColumnWidth();
    SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    toolkit::Theme::Current().Follow(Handle());
}

int FindWindow::ColumnWidth() const {
    return layout_.Scaled(kControlWidth) - toolkit::SystemMetricAt(SM_CXVSCROLL, layout_.Dpi()) - 4;
}

void FindWindow::ChangeDpi(UINT dpi, const RECT& suggested) {
    // The fonts before stay until the controls have let go of them.
    toolkit::ScaledFont previous = std::exchange(font_, MessageFont(dpi, false));
    toolkit::ScaledFont previousBold = std::exchange(boldFont_, MessageFont(dpi, true));
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layout_.LayOut(dpi, font_.get());
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, ColumnWidth());
    InvalidateRect(Handle(), nullptr, TRUE);
}

void FindWindow::SetArchive(archive::ArchiveSession* session) {
    search_.reset();
    archive_ = session;
    archived_.clear();
    rows_.clear();
    archiveTotal_ = 0;
    if (IsOpen()) Close();
}

void FindWindow::Close() noexcept {
    if (hover_) hover_->Hide();
    search_.reset();  // ends its search and its thread
    archived_.clear();
    rows_.clear();
    searching_ = pickWhenFound_ = false;
    if (!IsOpen()) return;
    DestroyHandle();
    edit_ = list_ = status_ = nullptr;
    layout_.Clear();
}

void FindWindow::HistoryChanged() {
    if (!IsOpen()) return;
    bool hadSelection = Selected() >= 0;  // also of a clip gone by now
    clips::ClipRef selected(SelectedClip());
    keepSelected_ = ArchivedAt(Selected());
    finder_.Reload();
    if (hadSelection) RefilterKeeping(selected);
    else Refilter();
}

void FindWindow::Refilter() {
    keepSelected_ = 0;
    finder_.Filter(common::Utf8(WindowTextOf(edit_)));
    SearchArchive();
    selectFirstArchived_ = finder_.FoundCount() == 0;
    ShowMatches(finder_.FoundCount() > 0 ? 0 : -1);
}

void FindWindow::RefilterKeeping(const clips::ClipRef& selected) {
    finder_.Filter(common::Utf8(WindowTextOf(edit_)));
    SearchArchive();
    selectFirstArchived_ = false;
    int index = -1;
    if (const clips::TClip* clip = selected.Get())
        for (size_t i = 0; i < finder_.FoundCount() && index < 0; ++i)
            if (finder_.FoundAt(i) == clip) index = static_cast<int>(i);
    ShowMatches(index);
}

void FindWindow::ShowMatches(int index) {
    SendMessageW(list_, LVM_SETITEMCOUNT, RowCount(), 0);
    Select(index);  // -1 clears the selection at an index of the earlier list
    InvalidateRect(list_, nullptr, TRUE);
    ShowStatus();
}

void FindWindow::ShowStatus() {
    // The archive's clips that the histories hold are counted once, as the histories'.
    size_t archivedOnly = static_cast<size_t>(std::max<int64_t>(archiveTotal_ - static_cast<int64_t>(inMemory_.size()), 0));
    std::wstring status =
        std::to_wstring(RowCount()) + L" / " + std::to_wstring(finder_.Total() + archivedOnly) + L" 个剪辑";
    SetWindowTextW(status_, status.c_str());
}

void FindWindow::SearchArchive() {
    archived_.clear();
    pickWhenFound_ = false;
    searching_ = search_ != nullptr;
    if (!search_) return;
    // The clips of the histories are listed from memory: the archive's copies of them are skipped.
    inMemory_.clear();
    for (history::Section section : {history::Section::Personal, history::Section::Clipboard})
        for (const clips::TClip* clip : history_.Clips(section))
            if (clip->ArchiveId != 0) inMemory_.insert(clip->ArchiveId);
    search_->Start(++generation_, common::Utf8(WindowTextOf(edit_)));
}

void FindWindow::ArchiveFound(uint64_t generation) {
    if (!search_ || generation != generation_) return;  // a stale search's
    bool done = false;
    std::vector<int64_t> ids = search_->Take(generation, done);
    if (done) searching_ = false;
    size_t before = archived_.size();
    for (int64_t id : ids)
        if (!inMemory_.contains(id)) archived_.push_back(id);
    int selected = Selected();
    if (archived_.size() != before) {
        SendMessageW(list_, LVM_SETITEMCOUNT, RowCount(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
        InvalidateRect(list_, nullptr, TRUE);
        if (selected < 0 && keepSelected_ != 0) {
            auto at = std::find(archived_.begin(), archived_.end(), keepSelected_);
            if (at != archived_.end()) Select(static_cast<int>(finder_.FoundCount() + (at - archived_.begin())));
        } else if (selected < 0 && selectFirstArchived_ && before == 0) {
            Select(static_cast<int>(finder_.FoundCount()));
        }
    }
    ShowStatus();
    if (pickWhenFound_ && (Selected() >= 0 || !searching_)) {
        pickWhenFound_ = false;
        Pick(Selected(), plainPick_);
    }
}

int64_t FindWindow::ArchivedAt(int index) const {
    if (index < 0 || static_cast<size_t>(index) < finder_.FoundCount()) return 0;
    size_t at = static_cast<size_t>(index) - finder_.FoundCount();
    return at < archived_.size() ? archived_[at] : 0;
}

const archive::ArchivedRow* FindWindow::RowAt(int64_t id) {
    for (auto it = rows_.begin(); it != rows_.end(); ++it)
        if (it->Id == id) {
            rows_.splice(rows_.begin(), rows_, it);
            return &rows_.front();
        }
    archive::ArchivedRow row{id, -1, "..."};
    try {
        if (archive_)
            if (std::optional<archive::ArchivedRow> read = archive_->Reader().RowOf(id)) row = std::move(*read);
    } catch (const std::exception&) {
        // Drawn as "..." until it can be read.
    }
    rows_.push_front(std::move(row));
    if (rows_.size() > kRowsKept) rows_.pop_back();
    return &rows_.front();
}

void FindWindow::TakeKeysBack() {
    // The question had the keys; the window and its edit take them back.
    if (!IsOpen()) return;
    SetForegroundWindow(Handle());
    SetFocus(edit_);
}

void FindWindow::DeleteSelected() {
    int index = Selected();
    // The question is the find window's own: above it, and it stays open meanwhile.
    HWND previousOwner = common::MessageOwner();
    common::SetMessageOwner(Handle());
    struct OwnerBack {
        HWND owner;
        ~OwnerBack() { common::SetMessageOwner(owner); }
    } back{previousOwner};
    if (clips::TClip* clip = SelectedClip()) {
        if (OnDeleteClip) OnDeleteClip(*clip);  // the history's change refreshes the list
        TakeKeysBack();
        return;
    }
    int64_t id = ArchivedAt(index);
    bool deleted = id != 0 && OnDeleteArchived && OnDeleteArchived(id);
    TakeKeysBack();
    if (!IsOpen()) return;
    if (!deleted) return;
    std::erase(archived_, id);
    archiveTotal_ = std::max<int64_t>(archiveTotal_ - 1, 0);
    ShowMatches(std::min(index, static_cast<int>(RowCount()) - 1));
}

void FindWindow::Select(int index) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = index >= 0 ? state.stateMask : 0;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    if (index >= 0) SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    else if (hover_) hover_->Hide();
}

int FindWindow::Selected() const {
    return IsOpen() ? static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED))
                    : -1;
}

clips::TClip* FindWindow::SelectedClip() const {
    int index = Selected();
    return index < 0 ? nullptr : finder_.FoundAt(static_cast<size_t>(index));
}

void FindWindow::SelectionChanged() {
    clips::TClip* clip = SelectedClip();
    if (!hover_) return;
    if (!clip) {
        hover_->Hide();
        return;
    }
    RECT window{};
    GetWindowRect(Handle(), &window);
    hover_->HoverBeside(*clip, window);
}

void FindWindow::Pick(int index, bool plain) {
    if (index < 0 && searching_) {
        // Typed and Enter at once: the first match is taken when it comes.
        pickWhenFound_ = true;
        plainPick_ = plain;
        return;
    }
    if (int64_t id = ArchivedAt(index)) {
        if (hover_) hover_->Hide();
        HWND back = returnTo_;
        Close();
        if (OnPickArchived) OnPickArchived(id, plain, back);
        return;
    }
    clips::TClip* clip = index < 0 ? nullptr : finder_.FoundAt(static_cast<size_t>(index));
    if (!clip) return;  // nothing listed: the window stays for another try
    if (hover_) hover_->Hide();
    // Picked before the window goes: without a window manager Wine may take
    // seconds to withdraw it, and the user waits for the clip, not for that.
    if (OnPick) OnPick(*clip, plain, returnTo_);
    Close();
}

void FindWindow::Cancel() {
    HWND returnTo = returnTo_;
    bool active = GetForegroundWindow() == Handle();
    Close();
    // Esc gives the foreground back; a window the user went to keeps it.
    if (active && returnTo) SetForegroundWindow(returnTo);
}

LRESULT CALLBACK FindWindow::EditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<FindWindow*>(data);
    switch (msg) {
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            SendMessageW(self->list_, msg, wParam, lParam);
            return 0;
        case VK_RETURN:
            PostMessageW(self->Handle(), WM_FINDPICK, GetKeyState(VK_SHIFT) < 0, 0);
            return 0;
        case VK_ESCAPE:
            PostMessageW(self->Handle(), WM_FINDCANCEL, 0, 0);
            return 0;
        case VK_DELETE:
            if (GetKeyState(VK_SHIFT) >= 0) break;  // Del alone is the edit's
            PostMessageW(self->Handle(), WM_FINDDELETE, 0, 0);
            return 0;
        default:
            break;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == L'\n' || wParam == 0x1B) return 0;  // no beep
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, &FindWindow::EditProc, 1);
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, msg, wParam, lParam);
}

LRESULT FindWindow::CustomDraw(NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    LRESULT result = CDRF_DODEFAULT;
    // The selection in the colours of a focused list: the edit keeps the focus, yet the choice is the list's.
    if (SendMessageW(list_, LVM_GETITEMSTATE, draw.nmcd.dwItemSpec, LVIS_SELECTED) & LVIS_SELECTED) {
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
        const toolkit::Palette& colours = toolkit::Theme::Current().Colours();
        draw.clrText = colours.highlightText;
        draw.clrTextBk = colours.highlight;
        result = CDRF_NEWFONT;
    }
    const clips::TClip* clip = finder_.FoundAt(draw.nmcd.dwItemSpec);
    if (clip && history_.IsOnClipboard(*clip) && boldFont_) {
        SelectObject(draw.nmcd.hdc, boldFont_.get());  // the clip on the clipboard, as the menu shows it
        result = CDRF_NEWFONT;
    }
    return result;
}

LRESULT FindWindow::Notify(const NMHDR& header) {
    if (header.hwndFrom != list_) return 0;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item;
        const clips::TClip* clip = item.iItem < 0 ? nullptr : finder_.FoundAt(static_cast<size_t>(item.iItem));
        const archive::ArchivedRow* row = nullptr;
        if (int64_t id = clip ? 0 : ArchivedAt(item.iItem)) row = RowAt(id);
        if ((item.mask & LVIF_IMAGE)) item.iImage = clip ? clip->Kind() : row ? row->Kind : -1;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            std::wstring caption = clip ? common::Wide(clip->Caption()) : row ? common::Wide(row->Caption) : std::wstring();
            size_t n = std::min(caption.size(), static_cast<size_t>(item.cchTextMax - 1));
            std::copy_n(caption.data(), n, item.pszText);
            item.pszText[n] = L'\0';
        }
        return 0;
    }
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
            SelectionChanged();
        return 0;
    }
    case NM_DBLCLK:
        // The pick closes this window: not inside the list's own notification. Its
        // first click selected the entry, which the posted pick takes.
        if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0)
            PostMessageW(Handle(), WM_FINDPICK, GetKeyState(VK_SHIFT) < 0, 0);
        return 0;
    case NM_SETFOCUS:
        PostMessageW(Handle(), WM_FINDFOCUS, 0, 0);
        return 0;
    case NM_CUSTOMDRAW:
        return CustomDraw(const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
    default:
        return 0;
    }
}

LRESULT FindWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFYFORMAT:
        return NFR_UNICODE;
    case WM_NOTIFY:
        return Notify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == edit_ && edit_ && HIWORD(wParam) == EN_CHANGE) Refilter();
        return 0;
    case WM_ACTIVATE: {
        // Another window took over: the search is dropped, as a menu would be;
        // not for a question of its own (Shift+Del).
        HWND other = reinterpret_cast<HWND>(lParam);
        bool ownQuestion = other && GetWindow(other, GW_OWNER) == Handle();
        if (LOWORD(wParam) == WA_INACTIVE && !ownQuestion) PostMessageW(Handle(), WM_FINDCANCEL, 0, 0);
        return DefaultProc(msg, wParam, lParam);
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(Handle(), &client);
        toolkit::Theme& theme = toolkit::Theme::Current();
        FillRect(reinterpret_cast<HDC>(wParam), &client, theme.Brush(theme.Colours().face));
        return 1;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        LRESULT brush = 0;
        if (toolkit::Theme::Current().ControlColour(msg, wParam, brush)) return brush;
        if (msg == WM_CTLCOLOREDIT) return DefaultProc(msg, wParam, lParam);
        // Both colours: under high contrast the face may be black.
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNTEXT));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DPICHANGED:
        if (edit_) ChangeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        Cancel();
        return 0;
    case WM_FINDPICK:
        Pick(Selected(), wParam != 0);
        return 0;
    case WM_FINDCANCEL:
        Cancel();
        return 0;
    case WM_FINDFOCUS:
        if (edit_) SetFocus(edit_);
        return 0;
    case WM_FINDARCHIVE:
        ArchiveFound(static_cast<uint64_t>(wParam));
        return 0;
    case WM_FINDDELETE:
        DeleteSelected();
        return 0;
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

}  // namespace find
