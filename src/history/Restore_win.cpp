// The click on a clip: its content goes back on the clipboard.
#include "clipboard/ClipboardWrite_win.h"
#include "clips/Clip_win.h"
#include "history/History_win.h"

namespace history {

void History::ClipClick(clips::TClip& clip) {
    if (IsOnClipboard(clip)) return;  // already what the clipboard holds
    // Every format of the clip in one session; a failure is reported once.
    RunAndReport([&] { clip.RestoreToClipboard(); });
    // Also when nothing could be written: the user chose this clip.
    store_.SetOnClipboard(&clip);
}

void History::CopyAsPlainText(const clips::TClip& clip) {
    const std::string* text = clip.PlainTextCopy();
    if (!text) return;
    RunAndReport([&] {
        clipboard::ClipboardWrite write;
        write.AddUnicodeText(*text);
        write.Commit();
    });
    ClearDefaultMark();
}

}  // namespace history
