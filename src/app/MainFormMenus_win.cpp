// The main form's three menus: the history menu (the history's view), the
// clip pop-up (the history's) and the general menu, whose table names each
// row's action.
#include <memory>

#include "app/MainForm_win.h"
#include "shell/Help_win.h"
#include "shell/OpenAndSend_win.h"
#include "shell/Tools_win.h"
#include "toolkit/Application_win.h"
#include "toolkit/MenuTable_win.h"

namespace app {
namespace {
using toolkit::MenuItem;
using toolkit::MenuRow;

MenuItem* AddItem(MenuItem& parent, const char* caption) {
    parent.Add(std::make_unique<MenuItem>(caption));
    return parent.Items(parent.Count() - 1);
}

MenuItem::ClickHandler Does(std::function<void()> action) {
    return [action = std::move(action)](MenuItem&) { action(); };
}
}  // namespace

void TfrmMain::CreateMenus() {
    // Their captions never appear: only the sub-menus are shown.
    mniHistory = AddItem(mnuMain, "mniHistory");
    mniPopup = AddItem(mnuMain, "mniPopup");
    mniGeneral = AddItem(mnuMain, "mniGeneral");

    mniHistory->SetImages(&IconList);
    history_ = std::make_unique<history::History>(*mniHistory, settings_);
    history_->OnHistoryChanged = [this] { HistoryChanged(); };
    history_->OnPick = [this](clips::TClip& clip) {
        bool picked = PickClip(clip, GetKeyState(VK_SHIFT) < 0);
        // The tray's menu has no window to paste into; a failed write leaves another program's content.
        pasteWanted_ = picked && hotKeyTarget_ != nullptr;
    };

    popup_ = std::make_unique<history::ClipPopup>(
        *mniPopup, *history_,
        history::ClipTextActions{[](const std::string& text) { shell::SendAsMail(text); },
                                 [](const std::string& text) { shell::Open(text); },
                                 [](const std::string& text) { shell::OpenInNewWindow(text); }});
    popup_->OnOpening = [this] {
        if (hover_) hover_->Hide();
    };

    toolkit::BuildMenu(*mniGeneral, {
        {"监视剪贴板", &mniMonitorClipboard, Does([this] { SetMonitorClipboard(!settings_.MonitorClipboard); }),
         MenuRow::kChecked},
        {"-"},
        // Nothing typed and no window to go back to.
        {"查找剪辑...", nullptr, Does([this] { OpenFind(L"", nullptr); })},
        {"工具", nullptr, {}, MenuRow::kNone, {
            {"捕获屏幕", nullptr, Does([] { shell::CaptureScreen(); })},
            {"捕获窗口", nullptr, Does([] { shell::CaptureWindow(); })},
            {"-"},
            {"清空剪贴板", &mniEmptyClipboard, Does([] { shell::EmptyClipboardAfterConfirmation(); })},
        }, [this](MenuItem&) { shell::UpdateEmptyClipboardItem(*mniEmptyClipboard); }},
        {"参数选择...", nullptr, Does([this] { mniPreferencesClick(); })},
        {"-"},
        {"帮助", nullptr, {}, MenuRow::kNone, {
            {"内容...", nullptr, Does([this] { shell::ShowHelpContents(Folder()); })},
            {"主页...", nullptr, Does([this] { shell::ShowHomePage(Folder()); })},
            {"-"},
            {"关于...", nullptr, Does([] { shell::ShowAbout(toolkit::Application::Instance().Handle()); })},
        }},
        {"-"},
        {"退出", nullptr, Does([] { toolkit::Application::Instance().Terminate(); })},
    });
}

void TfrmMain::WMMenuRButtonUp(int position, HMENU menu, bool fromKeyboard) {
    // Right clicks in the general menu do nothing.
    if (menu != mniHistory->Handle()) return;
    popup_->OpenAt(position, menu, fromKeyboard, Handle());
}

}  // namespace app
