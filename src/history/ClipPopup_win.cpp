#include "history/ClipPopup_win.h"

#include "clips/ClipText_win.h"
#include "history/History_win.h"
#include "history/PopupRules.h"
#include "toolkit/MenuTable_win.h"

namespace history {
namespace {
using toolkit::MenuItem;
using toolkit::MenuRow;

// An item is never enabled before its command exists.
void EnableIfItActs(MenuItem* item, bool on) { item->SetEnabled(on && item->OnClick); }

MenuItem::ClickHandler Does(std::function<void()> action) {
    return [action = std::move(action)](MenuItem&) { action(); };
}
}  // namespace

ClipPopup::ClipPopup(toolkit::MenuItem& menu, History& history, ClipTextActions actions)
    : menu_(menu), history_(history), actions_(std::move(actions)) {
    // The "格式" items are shown for plain-text clips only.
    auto transform = [this](Transformation how) {
        return Does([this, how] {
            if (clips::TClipText* text = Text()) history_.TransformClip(*text, how);
        });
    };
    toolkit::BuildMenu(menu_, {
        {"复制", &mniCopy, Does([this] {
             if (clips::TClip* clip = Clip()) history_.ClipClick(*clip);
         }), MenuRow::kDefault},
        {"复制为纯文本", &mniCopyAsPlainText, Does([this] {
             if (clips::TClip* clip = Clip()) history_.CopyAsPlainText(*clip);
         })},
        {"-"},
        {"格式", &mniFormatMenu, {}, MenuRow::kNone, {
            {"撤销", &mniUndo, Does([this] {
                 if (clips::TClipText* text = Text()) history_.UndoTransformation(*text);
             }), MenuRow::kDisabled},
            {"-"},
            {"大写字母", nullptr, transform(Transformation::UpperCase)},
            {"小写字母", nullptr, transform(Transformation::LowerCase)},
            {"混合字母", nullptr, transform(Transformation::MixedCase)},
            {"句首字母大写", nullptr, transform(Transformation::SentenceCase)},
            {"-"},
            {"移除前导空格", nullptr, transform(Transformation::RemoveLeadingSpaces)},
            {"移除尾部空格", nullptr, transform(Transformation::RemoveTrailingSpaces)},
            {"-"},
            {"移除换行符", nullptr, transform(Transformation::RemoveLineBreaks)},
            {"移除重复空格", nullptr, transform(Transformation::RemoveDuplicatedSpaces)},
        }},
        // Mail and open take the clip's text (the plain text of rich text and HTML, the link of a link clip).
        {"发送邮件...", &mniSendAsMail, Does([this] { WithText(actions_.sendAsMail); })},
        {"打开...", &mniOpen, Does([this] { WithText(actions_.open); })},
        {"在新窗口中打开...", &mniOpenInNewWindow, Does([this] { WithText(actions_.openInNewWindow); })},
        {"-", &sep01},
        {"添加至个人历史", &mniAddToPersonalHistory, Does([this] { history_.AddToPersonalHistory(clip_); })},
        {"从个人历史中移除", &mniRemoveFromPersonalHistory, Does([this] { history_.RemoveFromPersonalHistory(clip_); })},
        {"-"},
        {"改名", nullptr, Does([this] { history_.RenameClip(clip_); })},
        {"删除", nullptr, Does([this] { history_.DeleteClip(clip_); })},
        {"全部删除", nullptr, Does([this] { history_.EmptySectionOf(clip_); })},
    });
}

clips::TClip* ClipPopup::Clip() const { return history_.Store().Resolve(clip_); }

clips::TClipText* ClipPopup::Text() const { return dynamic_cast<clips::TClipText*>(Clip()); }

void ClipPopup::WithText(const std::function<void(const std::string&)>& action) const {
    if (clips::TClipText* text = Text(); text && action) action(text->Text);
}

void ClipPopup::OpenAt(int position, HMENU historyMenu, bool fromKeyboard, HWND owner) {
    if (open_) return;  // right clicks in the pop-up itself do nothing
    clips::TClip* clip = history_.ClipAtPlatformPosition(position);
    if (!clip) return;  // a header or an "empty" marker
    clip_ = clips::ClipRef(clip);
    if (OnOpening) OnOpening();
    SetUpFor(*clip);

    POINT at{};
    RECT item{};
    // The menu key opens the pop-up beside the highlighted entry, not at a pointer that may be elsewhere.
    if (fromKeyboard && GetMenuItemRect(nullptr, historyMenu, static_cast<UINT>(position), &item))
        at = {item.right, item.top};
    else GetCursorPos(&at);
    // Nested on top of the open history menu. Wine closes the history menu with it.
    open_ = true;
    TrackPopupMenuEx(menu_.Handle(), TPM_RECURSE, at.x, at.y, owner, nullptr);
    open_ = false;
}

void ClipPopup::SetUpFor(const clips::TClip& clip) {
    PopupItemStates s = PopupItemStatesFor({clip.Commands(), history_.SectionOf(clip) == Section::Clipboard,
                                            history_.IsOnClipboard(clip), clip.UndoAvailable});
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

}  // namespace history
