// The commands of the clip pop-up that change the history lists themselves:
// rename, delete, empty a section, move into and out of the personal history.
#include <windows.h>

#include "clips/Clip_win.h"
#include "common/Report_win.h"
#include "common/Text.h"
#include "history/History_win.h"
#include "history/RenameDialog_win.h"
#include "toolkit/Application_win.h"

namespace history {

void History::RenameClip(clips::ClipRef clip) {
    if (!store_.Resolve(clip)) return;
    toolkit::Application::Instance().ProcessMessages();
    clips::TClip* named = store_.Resolve(clip);
    if (!named) return;
    std::optional<std::string> answer = AskNewName(named->Caption(), settings_.MaxCaptionLength);
    if (!answer) return;
    std::string name(common::TrimBlanks(*answer));
    if (name.empty()) {
        common::Report({"名称不能为空.", common::Severity::Warning, common::BoxTitle::EmptyName});
        return;
    }
    // The clip may have been trimmed by a capture while the dialog was open.
    if (clips::TClip* still = store_.Resolve(clip)) {
        store_.Rename(*still, std::move(name));
        Archive(*still);
    }
}

void History::DeleteClip(clips::ClipRef clip) {
    if (!store_.Resolve(clip)) return;
    if (settings_.DeleteClipConf &&
        !common::Confirmed("你确实要删除这个剪辑吗 ?", common::BoxTitle::Confirm))
        return;
    clips::TClip* item = store_.Resolve(clip);
    if (!item) return;
    EndMenu();
    Unarchive({item});  // the user's delete means delete: from the archive too
    Remove(*item);  // the clipboard keeps what it holds, also when this was the clip on it
}

void History::EmptySectionOf(clips::ClipRef clip) {
    clips::TClip* item = store_.Resolve(clip);
    if (!item) return;
    Section section = SectionOf(*item);
    if (settings_.DeleteAllConf &&
        !common::Confirmed(section == Section::Clipboard ? "你确实要清空剪贴板历史纪录吗 ? " : "你确实要清空个人历史纪录吗 ? ",
                           common::BoxTitle::ConfirmEmptyHistory))
        return;
    if (!store_.Resolve(clip)) return;
    EndMenu();
    Unarchive(Clips(section));
    Empty(section);  // as it is now: the lists may have changed while the question was open
}

void History::AddToPersonalHistory(clips::ClipRef clip) {
    clips::TClip* item = store_.Resolve(clip);
    if (!item || SectionOf(*item) != Section::Clipboard || !item->KeptInPersonalHistory()) return;
    EndMenu();
    MoveTo(*item, Section::Personal);  // the last personal clip
}

void History::RemoveFromPersonalHistory(clips::ClipRef clip) {
    clips::TClip* item = store_.Resolve(clip);
    if (!item || SectionOf(*item) != Section::Personal) return;
    EndMenu();
    MoveTo(*item, Section::Clipboard);  // the newest clipboard clip
}

}  // namespace history
