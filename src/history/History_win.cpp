#include "history/History_win.h"

#include "clips/Clip_win.h"

namespace history {

History::History(toolkit::MenuItem& menu, const common::Settings& settings) : settings_(settings), menu_(menu) {
    store_.SetLimit(settings_.MaxHistorySize);
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
    store_.SetLimit(settings_.MaxHistorySize);
    StoreChanged();
}

void History::Append(std::unique_ptr<clips::TClip> clip) {
    clip->NameForHistory(settings_.MaxCaptionLength);
    clip->StampCapture();
    store_.SetLimit(settings_.MaxHistorySize);
    Archive(store_.Append(std::move(clip)));
}

void History::AppendLoaded(std::unique_ptr<clips::TClip> clip) { store_.AppendLoaded(std::move(clip)); }

}  // namespace history
