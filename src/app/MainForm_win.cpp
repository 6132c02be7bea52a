#include "app/MainForm_win.h"

#include <shellapi.h>

#include <utility>


#include "app/KindIcons_win.h"
#include "app/TrayTip.h"
#include "clipboard/ClipboardOwner_win.h"
#include "clips/ClipRecords_win.h"
#include "clips/Clip_win.h"
#include "common/Failure.h"
#include "common/MessageBox_win.h"
#include "common/Report_win.h"
#include "common/Settings.h"
#include "personal/PersonalFile_win.h"
#include "toolkit/Application_win.h"
#include "toolkit/Dpi_win.h"
#include "toolkit/Theme_win.h"

namespace app {

TfrmMain::TfrmMain(std::string folder) : folder_(std::move(folder)), settingsFile_(folder_ + "Pellacor.ini") {
    toolkit::Application& application = toolkit::Application::Instance();
    CreateHandle(0, WS_POPUP, application.Handle(), "Pellacor");
    application.FormOpened();
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");

    CreateMenus();
    menuEvents_ = std::make_unique<toolkit::MenuContextEvents>(Handle());
    FormCreate();
}

TfrmMain::~TfrmMain() {
    if (!destroyed_) FormDestroy();
    watcher_.reset();  // leaves the viewer chain before the clips go
    toolkit::Application::Instance().FormClosed();
}

void TfrmMain::FormCreate() {
    // One line per step. A step that needs an earlier one runs only when that
    // one went through; the program goes on with what works. What failed, and
    // the settings that had to be replaced, are told once, in one box, at the end.
    std::vector<common::Problem> problems;
    std::vector<common::Problem> settingProblems;  // warnings: values replaced by their defaults
    auto step = [&](const std::function<void()>& body) { return common::RunCollecting(body, problems); };
    step([&] { LoadKindIcons(IconList, toolkit::DpiAtPointer()); });
    toolkit::Theme::Current().FollowInMenus(Handle());
    // Without its folder the personal history is not looked for anywhere else.
    if (step([&] { settings_ = settingsFile_.ReadAll(folder_, settingProblems); }))
        step([&] {
            if (auto notice = LoadPersonalHistory()) problems.push_back(std::move(*notice));
        });
    step([&] {
        OpenArchive(problems);
        FillFromArchive(problems);
    });
    step([&] { StartPersonalAutoSave(); });
    step([&] {
        hotKey_ = std::make_unique<HotKey>(Handle());
        if (settings_.HotKeyOn) ApplyHotKey(true);
    });
    step([&] { hover_ = std::make_unique<preview::HoverPreview>(mnuMain, *history_, settings_); });
    step([&] {
        tray_ = std::make_unique<TrayIcon>(Handle(), nullptr);
        ShowTrayIcon();
        tray_->Add();
    });
    step([&] {
        if (personalLoaded_) UpdateHistory();  // the tip counts them from the start
    });
    clipboard::ClipboardOwnerWindow = Handle();  // restores need it, watching or not
    bool watcherMade = step([&] {
        watcher_ = std::make_unique<clipboard::TClpbrd>();
        watcher_->OnChange = [this] { ClipboardChanged(); };
    });
    step([&] {
        // The user's choice is kept (and saved at the exit) even when there is no watcher to follow it.
        mniMonitorClipboard->SetEnabled(watcherMade);
        SetMonitorClipboard(settings_.MonitorClipboard);
    });
    problems.insert(problems.end(), settingProblems.begin(), settingProblems.end());
    common::Report(problems);
    PostMessageW(Handle(), WM_FINDPREPARE, 0, 0);
}

void TfrmMain::FormDestroy() {
    destroyed_ = true;
    // Independent steps: a failure in one is reported and the others still run.
    SaveWhatMustSurvive();
    common::RunReported([&] { ApplyHotKey(false); });
    common::RunReported([&] {
        if (tray_) tray_->Remove();
    });
}

void TfrmMain::ApplyHotKey(bool on) {
    if (hotKey_) hotKey_->Apply(on, settings_.HotKeyCombination);
}

void TfrmMain::PopupAtCursor(HMENU menu) {
    POINT at{};
    GetCursorPos(&at);
    // The menu opens at the DPI of the monitor under the pointer: its icons too.
    if (UINT dpi = toolkit::DpiAtPoint(at); toolkit::SmallIconSize(dpi) != IconList.Width()) {
        LoadKindIcons(IconList, dpi);
        mniHistory->SetImages(&IconList);
    }
    SetForegroundWindow(Handle());
    TrackPopupMenuEx(menu, 0, at.x, at.y, Handle(), nullptr);
    PostMessageW(Handle(), WM_NULL, 0, 0);
}

void TfrmMain::ShowTrayIcon(bool again) {
    // The notification area's monitor: the primary one.
    TrayLook look{toolkit::DpiAtPoint({0, 0}), toolkit::Theme::Current().Settings().taskbarLight};
    if (!tray_ || (trayIcon_ && look == trayLook_ && !again)) return;
    toolkit::UniqueIcon icon(LoadTrayIcon(look.dpi, look.lightTaskbar));
    if (!icon) return;  // the icon shown stays
    tray_->SetIcon(icon.get());
    trayIcon_ = std::move(icon);
    trayLook_ = look;
}

void TfrmMain::LookChanged() {
    lookChangePosted_ = false;
    toolkit::Theme::Current().Refresh();
    ShowTrayIcon();
}

void TfrmMain::WMTrayIcon(UINT mouseMessage) {
    // While a dialog of ours is open, the icon opens no menu.
    bool onlyForm = toolkit::Application::Instance().FormCount() == 1;
    switch (mouseMessage) {
    case WM_LBUTTONUP:
    case WM_CONTEXTMENU:
        if (onlyForm) {
            SendMessageW(Handle(), WM_LBUTTONUP, 0, 0);
            PopupAtCursor(mniHistory->Handle());
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        SetForegroundWindow(toolkit::Application::Instance().Handle());
        break;
    case WM_RBUTTONUP:
        if (onlyForm) PopupAtCursor(mniGeneral->Handle());
        break;
    default:
        break;
    }
}

void TfrmMain::WMHotKey() {
    HWND previous = GetForegroundWindow();
    hotKeyTarget_ = previous;
    pasteWanted_ = false;
    PopupAtCursor(mniHistory->Handle());
    // The chosen item's command (the restore) runs here, before the focus goes back.
    toolkit::Application::Instance().ProcessMessages();
    hotKeyTarget_ = nullptr;
    bool paste = std::exchange(pasteWanted_, false);
    // Typing in the menu opened the find window, which gives the foreground back itself.
    if (findWindow_ && findWindow_->IsOpen()) return;
    if (previous) SetForegroundWindow(previous);
    if (paste) PasteInto(previous);
}

void TfrmMain::HistoryChanged() {
    if (findWindow_) findWindow_->HistoryChanged();
    if (tray_)
        tray_->SetTip(TrayTipText(static_cast<unsigned>(history_->ClipboardCount()),
                                  static_cast<unsigned>(history_->PersonalCount())));
}

void TfrmMain::ClipboardChanged() {
    if (history_->ClipboardChanged()) return;
    // Watching switched off meanwhile: the change is dropped, not reported.
    if (!watcher_ || !watcher_->Active()) return;
    // Another program held the clipboard all along: try again a little later.
    if (watcher_->RetryLater()) return;
    common::Report({"剪贴板一直被另一个程序占用, 最近的一次复制没有记入历史.", common::Severity::Warning});
}

void TfrmMain::SetMonitorClipboard(bool on) {
    settings_.MonitorClipboard = on;
    mniMonitorClipboard->SetChecked(on);
    if (watcher_) watcher_->SetActive(on);
}

void TfrmMain::WMEndSession(bool ending) {
    // A cancelled end of session leaves everything running as it was; a real
    // one saves what must survive. The process may be ended right after.
    if (!ending) return;
    SaveWhatMustSurvive();
}

void TfrmMain::SaveWhatMustSurvive() {
    common::RunReported([&] {
        if (archive_) archive_->Worker().Flush();
    });
    common::RunReported([&] { SavePersonalHistory(); });
    common::RunReported([&] { settingsFile_.WriteAll(settings_); });
}

LRESULT TfrmMain::WMTimer(WPARAM id) {
    if (id == kPasteTimer) PasteWhenForeground();
    else if (id == kFolderTimer) common::RunReported([&] { LookForPersonalFolder(); });
    else if (id == kArchiveTimer) PruneArchive();
    else return DefaultProc(WM_TIMER, id, 0);
    return 0;
}

LRESULT TfrmMain::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (toolkit::MenuItem::HandleOwnerWindowMessage(msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_CLOSE:
        toolkit::Application::Instance().Terminate();
        return 0;
    case WM_ENDSESSION:
        WMEndSession(wParam != FALSE);
        return 0;
    case WM_TRAYICON:
        WMTrayIcon(static_cast<UINT>(lParam));
        return DefaultProc(msg, wParam, lParam);
    case WM_HOTKEY:
        WMHotKey();
        return 0;
    case WM_MENUSELECT: {
        LRESULT handled = DefaultProc(msg, wParam, lParam);
        menuEvents_->MenuSelected(wParam, lParam);
        if (hover_) hover_->WMMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return handled;
    }
    case WM_MENUCHAR:
        return WMMenuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
    case WM_FINDTYPED:
        OpenFind(std::wstring(1, static_cast<wchar_t>(wParam)), hotKeyTarget_);
        return 0;
    case WM_TIMER:
        return WMTimer(wParam);
    case WM_FINDPREPARE:
        common::RunReported([&] { PrepareFind(); });
        return 0;
    case WM_ARCHIVEDAMAGED:
        ArchiveDamaged(wParam);
        return 0;
    case WM_LOOKCHANGED:
        LookChanged();
        return 0;
    case toolkit::WM_MENUCONTEXT:
        WMMenuRButtonUp(LOWORD(wParam), reinterpret_cast<HMENU>(lParam), HIWORD(wParam) != 0);
        return 0;
    default:
        if (msg == taskbarCreated_ && taskbarCreated_ != 0 && tray_) {
            ShowTrayIcon(true);  // the new taskbar may have another scale or theme
            tray_->Restore();
        }
        // Broadcast while other programs wait: the windows follow once it is over.
        if ((toolkit::MayChangeLook(msg) || msg == WM_DISPLAYCHANGE || msg == WM_DPICHANGED) && !lookChangePosted_)
            lookChangePosted_ = PostMessageW(Handle(), WM_LOOKCHANGED, 0, 0) != FALSE;
        return DefaultProc(msg, wParam, lParam);
    }
}

}  // namespace app
