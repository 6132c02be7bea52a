#include "app/MainForm_win.h"

#include <shellapi.h>

#include <stdexcept>

#include "app/KindIcons_win.h"
#include "app/TrayTip.h"
#include "clipboard/ClipboardOwner_win.h"
#include "clips/ClipRecords_win.h"
#include "clips/Clip_win.h"
#include "common/MessageBox_win.h"
#include "common/Settings.h"
#include "common/Win32Error_win.h"
#include "personal/PersonalFile_win.h"
#include "toolkit/Application_win.h"
#include "toolkit/Dpi_win.h"

namespace app {

TfrmMain::TfrmMain(std::string folder) : folder_(std::move(folder)), settingsFile_(folder_ + "Pellacor.ini") {
    toolkit::Application& application = toolkit::Application::Instance();
    CreateHandle(0, WS_POPUP, application.Handle(), "Pellacor");
    application.FormOpened();
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");

    CreateMenus();
    menuEvents_ = std::make_unique<toolkit::MenuContextEvents>(Handle());
    FormCreate();
}

TfrmMain::~TfrmMain() {
    if (!destroyed_) FormDestroy();
    watcher_.reset();  // leaves the viewer chain before the clips go
    toolkit::Application::Instance().FormClosed();
}

bool TfrmMain::Step(const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        toolkit::Application::Instance().HandleException(e);
    }
    return false;
}

void TfrmMain::ReportProblems(const std::vector<std::string>& problems) {
    for (const std::string& text : problems)
        common::ShowMessageBox(toolkit::Application::Instance().Handle(), text, "PELLACOR: 警告   ",
                               MB_ICONWARNING | MB_OK);
}

void TfrmMain::FormCreate() {
    common::Settings& s = common::settings();
    std::vector<std::string> problems;
    // One line per step; each runs even when an earlier one failed.
    Step([&] { LoadKindIcons(IconList, toolkit::DpiAtPointer()); });
    Step([&] { settingsFile_.ReadPersonalHistoryPath(folder_, s); });
    Step([&] { LoadPersonalHistory(); });
    Step([&] { settingsFile_.ReadRemaining(s, problems); });
    Step([&] { ReportProblems(std::exchange(problems, {})); });
    Step([&] {
        hotKey_ = std::make_unique<HotKey>(Handle());
        if (s.HotKeyOn) ApplyHotKey(true);
    });
    Step([&] { hover_ = std::make_unique<preview::HoverPreview>(mnuMain, *mniHistory); });
    Step([&] {
        // The notification area's monitor: the primary one.
        int size = toolkit::SmallIconSize(toolkit::DpiAtPoint({0, 0}));
        trayIcon_.reset(
            static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0)));
        tray_ = std::make_unique<TrayIcon>(Handle(), trayIcon_.get());
        tray_->Add();
        if (personalLoaded_) UpdateHistory();
    });
    Step([&] {
        watcher_ = std::make_unique<clipboard::TClpbrd>();
        clipboard::ClipboardOwnerWindow = Handle();
        watcher_->OnChange = [this] { ClipboardChanged(); };
    });
    Step([&] {
        mniMonitorClipboard->SetChecked(settingsFile_.ReadMonitorClipboard(problems));
        ReportProblems(problems);
        if (mniMonitorClipboard->Checked()) watcher_->SetActive(true);
    });
}

void TfrmMain::FormDestroy() {
    destroyed_ = true;
    // Independent steps: a failure in one is reported and the others still run.
    SaveWhatMustSurvive();
    Step([&] { ApplyHotKey(false); });
    Step([&] {
        if (tray_) tray_->Remove();
    });
}

void TfrmMain::LoadPersonalHistory() {
    history::History& h = *history_;
    personal::PersonalLoadResult loaded =
        personalFile_.Load(common::settings().PersonalHistoryPath, [&](personal::ClipRecord& record) {
            std::string error;
            std::unique_ptr<clips::TClip> clip = clips::ClipOfRecord(record, error);
            if (!clip) return std::optional<std::string>(error);
            clip.release()->InsertLoaded(*mniHistory, h.ClipboardSeparatorIndex(), h.ClickAction());
            return std::optional<std::string>();
        });
    personalLoaded_ = loaded.ClipsRead > 0;
    UpdateHistory();
    // The damaged file was moved aside or is never replaced: no exit overwrites what was not read.
    if (loaded.Error) throw common::Win32Error(*loaded.Error);
}

void TfrmMain::SavePersonalHistory() {
    history::History& h = *history_;
    std::vector<personal::ClipRecord> records;
    for (int i = 2; i < h.ClipboardSeparatorIndex(); ++i)
        if (auto* clip = dynamic_cast<clips::TClip*>(mniHistory->Items(i)))
            if (auto record = clips::RecordOfClip(*clip)) records.push_back(std::move(*record));
    personal::PersonalHistoryFile::SaveOutcome saved = personalFile_.Save(common::settings().PersonalHistoryPath, records);
    if (saved.Error) throw common::Win32Error(*saved.Error);
    if (saved.Notice) ReportProblems({*saved.Notice});
}

void TfrmMain::ApplyHotKey(bool on) {
    if (hotKey_) hotKey_->Apply(on, common::settings().HotKeyCombination);
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
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

void TfrmMain::WMTrayIcon(UINT mouseMessage) {
    // While a dialog of ours is open, the icon opens no menu.
    bool onlyForm = toolkit::Application::Instance().FormCount() == 1;
    switch (mouseMessage) {
    case WM_LBUTTONUP:
    case WM_CONTEXTMENU:
        if (onlyForm) {
            SendMessageA(Handle(), WM_LBUTTONUP, 0, 0);
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
    PopupAtCursor(mniHistory->Handle());
    // The chosen item's command (the restore) runs here, before the focus goes back.
    toolkit::Application::Instance().ProcessMessages();
    if (previous) SetForegroundWindow(previous);
}

void TfrmMain::UpdateHistory() {
    history_->UpdateMarkersAndTrim();
    if (tray_)
        tray_->SetTip(TrayTipText(static_cast<unsigned>(history_->ClipboardCount()),
                                  static_cast<unsigned>(history_->PersonalCount())));
}

void TfrmMain::ClipboardChanged() {
    if (history_->ClipboardChanged()) return;
    // Another program held the clipboard all along: try again a little later.
    if (watcher_ && watcher_->RetryLater()) return;
    ReportProblems({"剪贴板一直被另一个程序占用, 最近的一次复制没有记入历史."});
}

void TfrmMain::mniMonitorClipboardClick(toolkit::MenuItem& sender) {
    if (watcher_) watcher_->SetActive(sender.Checked());
}

void TfrmMain::mniExitClick(toolkit::MenuItem&) { toolkit::Application::Instance().Terminate(); }

void TfrmMain::WMEndSession(bool ending) {
    // A cancelled end of session leaves everything running as it was; a real
    // one saves what must survive. The process may be ended right after.
    if (!ending) return;
    SaveWhatMustSurvive();
}

void TfrmMain::SaveWhatMustSurvive() {
    Step([&] { SavePersonalHistory(); });
    Step([&] { settingsFile_.WriteAll(common::settings(), mniMonitorClipboard->Checked()); });
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
    case toolkit::WM_MENUCONTEXT:
        WMMenuRButtonUp(LOWORD(wParam), reinterpret_cast<HMENU>(lParam), HIWORD(wParam) != 0);
        return 0;
    default:
        if (msg == taskbarCreated_ && taskbarCreated_ != 0 && tray_) tray_->Restore();
        return DefaultProc(msg, wParam, lParam);
    }
}

}  // namespace app
