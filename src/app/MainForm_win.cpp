#include "app/MainForm_win.h"

#include <shellapi.h>

#include <stdexcept>

#include "common/MessageBox_win.h"
#include "common/Settings.h"
#include "toolkit/Application_win.h"

namespace app {
namespace {
toolkit::MenuItem* AddItem(toolkit::MenuItem& parent, const char* caption) {
    auto item = std::make_unique<toolkit::MenuItem>(caption);
    toolkit::MenuItem* raw = item.get();
    parent.Add(std::move(item));
    return raw;
}
}  // namespace

TfrmMain::TfrmMain(std::string folder) : folder_(std::move(folder)), settingsFile_(folder_ + "Pellacor.ini") {
    toolkit::Application& application = toolkit::Application::Instance();
    CreateHandle(0, WS_POPUP, application.Handle(), "Pellacor");
    application.FormOpened();

    mniHistory = AddItem(mnuMain, "历史");
    mniPopup = AddItem(mnuMain, "剪辑");
    mniGeneral = AddItem(mnuMain, "常规");
    mniHistory->SetImages(&IconList);
    history_ = std::make_unique<history::History>(*mniHistory);
    history_->OnUpdateHistory = [this] { UpdateHistory(); };

    mniMonitorClipboard = AddItem(*mniGeneral, "监视剪贴板");
    mniMonitorClipboard->AutoCheck = true;
    mniMonitorClipboard->OnClick = [this](toolkit::MenuItem& s) { mniMonitorClipboardClick(s); };
    AddItem(*mniGeneral, "-");
    mniExit = AddItem(*mniGeneral, "退出");
    mniExit->OnClick = [this](toolkit::MenuItem& s) { mniExitClick(s); };

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
    // Each step runs even when an earlier one failed.
    Step([&] {
        for (const char* extension : {".txt", ".rtf", ".htm", ".bmp", ".", ".wav", ".url"}) AddKindIcon(extension);
    });
    Step([&] { settingsFile_.ReadPersonalHistoryPath(folder_, s); });
    Step([&] { settingsFile_.ReadRemaining(s, problems); });
    Step([&] { ReportProblems(std::exchange(problems, {})); });
    Step([&] {
        watcher_ = std::make_unique<clips::TClpbrd>();
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
    Step([&] { settingsFile_.WriteAll(common::settings(), mniMonitorClipboard->Checked()); });
}

void TfrmMain::UpdateHistory() { history_->UpdateMarkersAndTrim(); }

void TfrmMain::ClipboardChanged() { history_->ClipboardChanged(); }

void TfrmMain::AddKindIcon(const char* extension) {
    SHFILEINFOA info{};
    bool folder = extension[0] == '.' && extension[1] == '\0';
    SHGetFileInfoA(folder ? "" : extension, folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, &info,
                   sizeof(info), SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    toolkit::UniqueIcon icon(info.hIcon);
    IconList.AddIcon(icon.get());
}

void TfrmMain::mniMonitorClipboardClick(toolkit::MenuItem& sender) {
    if (watcher_) watcher_->SetActive(sender.Checked());
}

void TfrmMain::mniExitClick(toolkit::MenuItem&) { toolkit::Application::Instance().Terminate(); }

void TfrmMain::WMEndSession(bool ending) {
    // A cancelled end of session leaves everything running as it was.
    if (!ending) return;
    FormDestroy();
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
    default:
        return DefaultProc(msg, wParam, lParam);
    }
}

}  // namespace app
