// The commands of the clip pop-up that change the history lists themselves:
// rename, delete, empty a section, move into and out of the personal history.
#include <windows.h>

#include "clips/Clip_win.h"
#include "common/Report_win.h"
#include "common/Settings.h"
#include "common/Text.h"
#include "history/History_win.h"
#include "history/RenameDialog_win.h"
#include "toolkit/Application_win.h"

namespace history {
void History::RenameClip(toolkit::ItemRef clip) {
    toolkit::MenuItem* item = clip.Get();
    if (!item) return;
    toolkit::Application::Instance().ProcessMessages();
    item = clip.Get();
    if (!item) return;
    std::optional<std::string> answer = AskNewName(item->Caption(), common::settings().MaxCaptionLength);
    if (!answer) return;
    std::string name(common::TrimBlanks(*answer));
    if (name.empty()) {
        common::Report({"名称不能为空.", common::Severity::Warning, common::BoxTitle::EmptyName});
        return;
    }
    // The clip may have been trimmed by a capture while the dialog was open.
    clips::TClip* still = ClipOf(clip.Get());
    if (!still) return;
    still->SetCaption(std::move(name));
    if (SectionOf(*still) == Section::Personal) PersonalHistoryChanged();
}

void History::DeleteClip(toolkit::ItemRef clip) {
    if (!ClipOf(clip.Get())) return;
    if (common::settings().DeleteClipConf &&
        !common::Confirmed("你确实要删除这个剪辑吗 ?", common::BoxTitle::Confirm))
        return;
    clips::TClip* item = ClipOf(clip.Get());
    if (!item) return;
    EndMenu();
    Remove(*item);  // the clipboard keeps what it holds, also when this was the clip on it
}

void History::EmptySectionOf(toolkit::ItemRef clip) {
    clips::TClip* item = ClipOf(clip.Get());
    if (!item) return;
    Section section = SectionOf(*item);
    if (common::settings().DeleteAllConf &&
        !common::Confirmed(section == Section::Clipboard ? "你确实要清空剪贴板历史纪录吗 ? " : "你确实要清空个人历史纪录吗 ? ",
                           common::BoxTitle::ConfirmEmptyHistory))
        return;
    if (!clip.Get()) return;
    EndMenu();
    Empty(section);  // as it is now: the lists may have changed while the question was open
}

void History::AddToPersonalHistory(toolkit::ItemRef clip) {
    clips::TClip* item = ClipOf(clip.Get());
    if (!item || SectionOf(*item) != Section::Clipboard || !item->KeptInPersonalHistory()) return;
    EndMenu();
    MoveTo(*item, Section::Personal);  // the last personal clip
}

void History::RemoveFromPersonalHistory(toolkit::ItemRef clip) {
    clips::TClip* item = ClipOf(clip.Get());
    if (!item || SectionOf(*item) != Section::Personal) return;
    EndMenu();
    MoveTo(*item, Section::Clipboard);  // the newest clipboard clip
}

}  // namespace history
