#include "history/History_win.h"

#include "clips/Clip_win.h"
#include "common/Settings.h"

namespace history {

History::History(toolkit::MenuItem& menu) : menu_(menu) {
    store_.SetLimit(common::settings().MaxHistorySize);
    store_.OnChanged = [this] { StoreChanged(); };
    store_.OnPersonalChanged = [this] {
        if (OnPersonalHistoryChanged) OnPersonalHistoryChanged();
    };
    menu_.OnPick = [this](clips::TClip& clip) {
        if (OnPick) OnPick(clip);
        else ClipClick(clip);
    };
    menu_.Sync(store_);
}

void History::StoreChanged() {
    menu_.Sync(store_);
    if (OnHistoryChanged) OnHistoryChanged();
}

void History::UpdateHistory() {
    store_.SetLimit(common::settings().MaxHistorySize);
    StoreChanged();
}

void History::Append(std::unique_ptr<clips::TClip> clip) {
    clip->NameForHistory();
    clip->StampCapture();
    store_.SetLimit(common::settings().MaxHistorySize);
    store_.Append(std::move(clip));
}

void History::AppendLoaded(std::unique_ptr<clips::TClip> clip) { store_.AppendLoaded(std::move(clip)); }

}  // namespace history
