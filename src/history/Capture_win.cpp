// The capture routine: what a clipboard change adds to the clipboard history.
#include <windows.h>

#include <memory>

#include "clipboard/ClipboardChange_win.h"
#include "clips/ClipKinds_win.h"
#include "common/MessageBox_win.h"
#include "common/Report_win.h"
#include "common/Win32Error_win.h"
#include "history/History_win.h"

namespace history {
namespace {
// A read that straddles a change is repeated, but not forever.
constexpr int kMostReads = 3;
}  // namespace

bool History::ClipboardChanged() {
    for (int reads = 1;; ++reads) {
        std::vector<clips::CapturedClip> captured;
        std::optional<clipboard::ClipboardChange> change = clipboard::ReadClipboardChange(
            capturedSequence_, settings_.IgnoredPrograms,
            [&](const clipboard::ClipboardFormats& offered) { captured = clips::CaptureOffered(offered); });
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
            if (AppendCaptured(captured, change->source)) heldSequence_ = change->sequence;
            break;
        }
        return true;
    }
}

bool History::AppendCaptured(std::vector<clips::CapturedClip>& captured, const std::string& source) {
    bool marked = false;
    // In capture order, each on its own: an error drops only its clip.
    for (clips::CapturedClip& one : captured) {
        marked |= RunAndReport([&] {
            if (one.error) std::rethrow_exception(one.error);
            one.clip->FinishCapture();  // the sound's file is written now, with the clipboard closed again
            if (FindDuplicate(*one.clip)) {
                Archive(*store_.OnClipboard());  // copied again: the archive's newest copy
                return;
            }
            one.clip->Source = source;
            Append(std::move(one.clip));
        });
    }
    return marked;
}

void History::ClipboardEmptied() {
    std::vector<clips::TClip*> clipboardClips = Clips(Section::Clipboard);
    if (!clipboardClips.empty() && clipboardClips.back()->DroppedWithEmptiedClipboard()) Remove(*clipboardClips.back());
    ClearDefaultMark();
}

bool History::RunAndReport(const std::function<void()>& make) {
    // Each failure says what happened: the platform's code when it gave one,
    // else our own text; never whatever GetLastError holds by then.
    return common::RunReported(make);
}

}  // namespace history
