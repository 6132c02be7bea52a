// The capture routine: what a clipboard change adds to the clipboard history.
#include <windows.h>

#include <memory>

#include "common/Report_win.h"
#include "clipboard/ClipboardChange_win.h"
#include "history/History_win.h"
#include "history/MenuPositions.h"

namespace history {
namespace {
// A read that straddles a change is repeated, but not forever.
constexpr int kMostReads = 3;
}  // namespace

bool History::ClipboardChanged() {
    for (int reads = 1;; ++reads) {
        std::optional<clipboard::ClipboardChange> change = clipboard::ReadClipboardChange(capturedSequence_);
        if (!change) return false;
        if (change->changedWhileRead && reads < kMostReads) continue;
        capturedSequence_ = change->sequence;
        // The clipboard is closed again: from here on, only our own lists.
        switch (change->kind) {
        case clipboard::ClipboardChange::Kind::AlreadyCaptured:
        case clipboard::ClipboardChange::Kind::OurOwn:
            break;
        case clipboard::ClipboardChange::Kind::Emptied:
            ClipboardEmptied();
            break;
        case clipboard::ClipboardChange::Kind::Private:
            // Not even a duplicate match: the mark would tell which clip it equals.
            ClearDefaultMark();
            break;
        case clipboard::ClipboardChange::Kind::Offered:
            AppendCaptured(*change);
            break;
        }
        return true;
    }
}

template <typename Clip>
void History::Append(clipboard::CapturedClip<Clip>& captured, const std::string& source, int duplicateKind,
                     const std::function<void(Clip&)>& prepare) {
    RunAndReport([&] {
        if (captured.error) std::rethrow_exception(captured.error);
        std::unique_ptr<Clip> clip = std::move(captured.clip);
        if (!clip) return;
        if (prepare) prepare(*clip);
        if (duplicateKind != clips::kNoKind && FindDuplicate(*clip->DuplicateData(), duplicateKind)) return;
        clip->Source = source;
        clip->AddToHistory(mniHistory, ClickAction());
        clip.release();  // the menu owns it now
        UpdateHistory();
    });
}

void History::AppendCaptured(clipboard::ClipboardChange& change) {
    // One text kind, then picture, file list and sound, each on its own: an
    // error drops only its clip. Pictures and sounds are never duplicates.
    Append(change.text, change.source, change.textKind);
    Append(change.image, change.source, clips::kNoKind);
    Append(change.files, change.source, clips::kFileList);
    // The sound's file is written now, with the clipboard closed again.
    Append<clips::TClipWave>(change.wave, change.source, clips::kNoKind,
                             [](clips::TClipWave& wave) { wave.WriteTemporaryFile(); });
}

void History::ClipboardEmptied() {
    // A file list names files that an emptied clipboard no longer offers to paste.
    toolkit::MenuItem* last = mniHistory.Items(mniHistory.Count() - 1);
    if (last->ImageIndex() == clips::kFileList) {
        delete last;
        UpdateHistory();
    }
    ClearDefaultMark();
}

void History::ClearDefaultMark() {
    int position = static_cast<int>(GetMenuDefaultItem(mniHistory.Handle(), TRUE, 0));
    if (toolkit::MenuItem* item = ItemAtPlatformPosition(position)) item->SetDefault(false);
}

toolkit::MenuItem* History::ItemAtPlatformPosition(int position) const {
    if (position < 0) return nullptr;  // the platform's "none"
    int index = ItemPositionFromPlatform(position, !mniPersonalHistoryEmpty->Visible(), ClipboardSeparatorIndex(),
                                         !mniClipboardHistoryEmpty->Visible());
    return index >= 0 && index < mniHistory.Count() ? mniHistory.Items(index) : nullptr;
}

void History::RunAndReport(const std::function<void()>& make) {
    // Each failure says what happened: the platform's code when it gave one,
    // else our own text; never whatever GetLastError holds by then.
    common::RunReported(make);
}

}  // namespace history
