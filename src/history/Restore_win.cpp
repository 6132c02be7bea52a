// The click on a clip: its content goes back on the clipboard.
#include "clipboard/ClipboardWrite_win.h"
#include "clips/Clip_win.h"
#include "history/History_win.h"

namespace history {

bool History::ClipboardHolds(const clips::TClip& clip) const {
    // Another program's copy moves the sequence number also while nobody watches.
    return IsOnClipboard(clip) && GetClipboardSequenceNumber() == heldSequence_;
}

void History::Held() { heldSequence_ = GetClipboardSequenceNumber(); }

bool History::ClipClick(clips::TClip& clip) {
    if (ClipboardHolds(clip)) return true;  // nothing to write
    // Every format of the clip in one session; a failure is reported once.
    bool written = RunAndReport([&] { clip.RestoreToClipboard(); });
    if (written) Held();
    // Also when nothing could be written: the user chose this clip.
    store_.SetOnClipboard(&clip);
    return written;
}

bool History::CopyAsPlainText(const clips::TClip& clip) {
    if (!clip.CopiesAsPlainText()) return false;
    bool written = RunAndReport([&] {
        clipboard::ClipboardWrite write;
        write.AddUnicodeText(clip.PlainTextCopy());
        write.Commit();
    });
    ClearDefaultMark();
    return written;
}

}  // namespace history
