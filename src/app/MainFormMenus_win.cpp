// The main form's three menus, their tables and the clip pop-up.
#include <memory>

#include "app/MainForm_win.h"
#include "clips/ClipText_win.h"
#include "history/PopupRules.h"
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

// An item is never enabled before its command exists.
void EnableIfItActs(MenuItem* item, bool on) { item->SetEnabled(on && item->OnClick); }
}  // namespace

void TfrmMain::CreateMenus() {
    auto click = [this](void (TfrmMain::*handler)(MenuItem&)) -> MenuItem::ClickHandler {
        return [this, handler](MenuItem& sender) { (this->*handler)(sender); };
    };
    // The eight transformations share one handler.
    using history::Transformation;
    auto transform = [this](Transformation how) -> MenuItem::ClickHandler {
        return [this, how](MenuItem&) { TransformClick(how); };
    };
    // Their captions never appear: only the sub-menus are shown.
    mniHistory = AddItem(mnuMain, "mniHistory");
    mniPopup = AddItem(mnuMain, "mniPopup");
    mniGeneral = AddItem(mnuMain, "mniGeneral");

    mniHistory->SetImages(&IconList);
    history_ = std::make_unique<history::History>(*mniHistory);
    history_->OnHistoryChanged = [this] { HistoryChanged(); };
    history_->OnPick = [this](clips::TClip& clip) {
        PickClip(clip, GetKeyState(VK_SHIFT) < 0);
        pasteWanted_ = hotKeyTarget_ != nullptr;  // the tray's menu has no window to paste into
    };

    toolkit::BuildMenu(*mniPopup, {
        {"复制", &mniCopy, click(&TfrmMain::mniCopyClick), MenuRow::kDefault},
        {"复制为纯文本", &mniCopyAsPlainText, click(&TfrmMain::mniCopyAsPlainTextClick)},
        {"-"},
        {"格式", &mniFormatMenu, {}, MenuRow::kNone, {
            {"撤销", &mniUndo, click(&TfrmMain::mniUndoClick), MenuRow::kDisabled},
            {"-"},
            {"大写字母", &mniUpperCase, transform(Transformation::UpperCase)},
            {"小写字母", &mniLowerCase, transform(Transformation::LowerCase)},
            {"混合字母", &mniMixedCase, transform(Transformation::MixedCase)},
            {"句首字母大写", &mniSentenceCase, transform(Transformation::SentenceCase)},
            {"-"},
            {"移除前导空格", &mniRemoveLeadingSpaces, transform(Transformation::RemoveLeadingSpaces)},
            {"移除尾部空格", &mniRemoveTrailingSpaces, transform(Transformation::RemoveTrailingSpaces)},
            {"-"},
            {"移除换行符", &mniRemoveLineBreaks, transform(Transformation::RemoveLineBreaks)},
            {"移除重复空格", &mniRemoveDuplicatedSpaces, transform(Transformation::RemoveDuplicatedSpaces)},
        }},
        {"发送邮件...", &mniSendAsMail, click(&TfrmMain::mniSendAsMailClick)},
        {"打开...", &mniOpen, click(&TfrmMain::mniOpenClick)},
        {"在新窗口中打开...", &mniOpenInNewWindow, click(&TfrmMain::mniOpenInNewWindowClick)},
        {"-", &sep01},
        {"添加至个人历史", &mniAddToPersonalHistory, click(&TfrmMain::mniAddToPersonalHistoryClick)},
        {"从个人历史中移除", &mniRemoveFromPersonalHistory, click(&TfrmMain::mniRemoveFromPersonalHistoryClick)},
        {"-"},
        {"改名", &mniRename, click(&TfrmMain::mniRenameClick)},
        {"删除", &mniDelete, click(&TfrmMain::mniDeleteClick)},
        {"全部删除", &mniDeleteAll, click(&TfrmMain::mniDeleteAllClick)},
    });

    toolkit::BuildMenu(*mniGeneral, {
        {"监视剪贴板", &mniMonitorClipboard, click(&TfrmMain::mniMonitorClipboardClick),
         MenuRow::kChecked | MenuRow::kAutoCheck},
        {"-"},
        {"查找剪辑...", &mniFind, click(&TfrmMain::mniFindClick)},
        {"工具", &mniToolsMenu, {}, MenuRow::kNone, {
            {"捕获屏幕", &mniScreenCapture, click(&TfrmMain::mniScreenCaptureClick)},
            {"捕获窗口", &mniWindowCapture, click(&TfrmMain::mniWindowCaptureClick)},
            {"-"},
            {"清空剪贴板", &mniEmptyClipboard, click(&TfrmMain::mniEmptyClipboardClick)},
        }, click(&TfrmMain::mniToolsMenuClick)},
        {"参数选择...", &mniPreferences, click(&TfrmMain::mniPreferencesClick)},
        {"-"},
        {"帮助", &mniHelpMenu, {}, MenuRow::kNone, {
            {"内容...", &mContent, click(&TfrmMain::mContentClick)},
            {"主页...", &mHomePage, click(&TfrmMain::mHomePageClick)},
            {"-"},
            {"关于...", &mAbout, click(&TfrmMain::mAboutClick)},
        }},
        {"-"},
        {"退出", &mniExit, click(&TfrmMain::mniExitClick)},
    });
}

void TfrmMain::WMMenuRButtonUp(int position, HMENU menu, bool fromKeyboard) {
    // Right clicks in the pop-up itself or in the general menu do nothing.
    if (menu != mniHistory->Handle() || popupOpen_) return;
    clips::TClip* clip = history_->ClipAtPlatformPosition(position);
    if (!clip) return;  // a header or an "empty" marker
    popupClip_ = clips::ClipRef(clip);
    if (hover_) hover_->Hide();
    SetUpPopup(*clip);

    POINT at{};
    RECT item{};
    // The menu key opens the pop-up beside the highlighted entry, not at a pointer that may be elsewhere.
    if (fromKeyboard && GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item)) at = {item.right, item.top};
    else GetCursorPos(&at);
    // Nested on top of the open history menu. Wine closes the history menu with it.
    popupOpen_ = true;
    TrackPopupMenuEx(mniPopup->Handle(), TPM_RECURSE, at.x, at.y, Handle(), nullptr);
    popupOpen_ = false;
}

void TfrmMain::SetUpPopup(const clips::TClip& clip) {
    history::PopupItemStates s = history::PopupItemStatesFor(
        {clip.Commands(), history_->SectionOf(clip) == history::Section::Clipboard, history_->IsOnClipboard(clip),
         clip.UndoAvailable});
    EnableIfItActs(mniCopy, s.copyEnabled);
    EnableIfItActs(mniCopyAsPlainText, s.copyAsPlainTextEnabled);
    mniAddToPersonalHistory->SetVisible(s.addToPersonalVisible);
    EnableIfItActs(mniAddToPersonalHistory, s.addToPersonalEnabled);
    mniRemoveFromPersonalHistory->SetVisible(s.removeFromPersonalVisible);
    mniSendAsMail->SetVisible(s.sendAsMailVisible);
    mniFormatMenu->SetVisible(s.formatVisible);
    mniOpen->SetVisible(s.openVisible);
    mniOpenInNewWindow->SetVisible(s.openInNewWindowVisible);
    sep01->SetVisible(s.sep01Visible);
    EnableIfItActs(mniUndo, s.undoEnabled);
}

void TfrmMain::mniCopyClick(MenuItem&) {
    if (clips::TClip* clip = PopupClip()) history_->ClipClick(*clip);
}

void TfrmMain::mniCopyAsPlainTextClick(MenuItem&) {
    if (clips::TClip* clip = PopupClip()) history_->CopyAsPlainText(*clip);
}

clips::TClipText* TfrmMain::PopupText() const { return dynamic_cast<clips::TClipText*>(PopupClip()); }

// The "格式" submenu is shown for plain-text clips only; a clip gone meanwhile is left alone.
void TfrmMain::TransformClick(history::Transformation how) {
    if (clips::TClipText* clip = PopupText()) history_->TransformClip(*clip, how);
}

void TfrmMain::mniUndoClick(MenuItem&) {
    if (clips::TClipText* clip = PopupText()) history_->UndoTransformation(*clip);
}

// Mail and open: the clip's text (the plain text of rich text and HTML, the link of a link clip).
void TfrmMain::mniSendAsMailClick(MenuItem&) {
    if (clips::TClipText* clip = PopupText()) shell::SendAsMail(clip->Text);
}
void TfrmMain::mniOpenClick(MenuItem&) {
    if (clips::TClipText* clip = PopupText()) shell::Open(clip->Text);
}
void TfrmMain::mniOpenInNewWindowClick(MenuItem&) {
    if (clips::TClipText* clip = PopupText()) shell::OpenInNewWindow(clip->Text);
}

void TfrmMain::mniToolsMenuClick(MenuItem&) { shell::UpdateEmptyClipboardItem(*mniEmptyClipboard); }
void TfrmMain::mniScreenCaptureClick(MenuItem&) { shell::CaptureScreen(); }
void TfrmMain::mniWindowCaptureClick(MenuItem&) { shell::CaptureWindow(); }
void TfrmMain::mniEmptyClipboardClick(MenuItem&) { shell::EmptyClipboardAfterConfirmation(); }
void TfrmMain::mContentClick(MenuItem&) { shell::ShowHelpContents(Folder()); }
void TfrmMain::mHomePageClick(MenuItem&) { shell::ShowHomePage(Folder()); }
void TfrmMain::mAboutClick(MenuItem&) { shell::ShowAbout(toolkit::Application::Instance().Handle()); }

void TfrmMain::mniRenameClick(MenuItem&) { history_->RenameClip(popupClip_); }
void TfrmMain::mniDeleteClick(MenuItem&) { history_->DeleteClip(popupClip_); }
void TfrmMain::mniDeleteAllClick(MenuItem&) { history_->EmptySectionOf(popupClip_); }
void TfrmMain::mniAddToPersonalHistoryClick(MenuItem&) { history_->AddToPersonalHistory(popupClip_); }
void TfrmMain::mniRemoveFromPersonalHistoryClick(MenuItem&) { history_->RemoveFromPersonalHistory(popupClip_); }

}  // namespace app
