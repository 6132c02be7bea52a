// The transformations of a clip's text, with one undo.
#include "clips/ClipText_win.h"
#include "history/History_win.h"

namespace history {
// The clipboard holds what the clip holds, also after a change of its text.
// Written under our own window, so the capture routine takes no new clip of it;
// a failed write is shown as what it is, and the clip keeps its new text.
void History::RewriteIfOnClipboard(const clips::TClip& clip) {
    if (IsOnClipboard(clip) && RunAndReport([&] { clip.RestoreToClipboard(); })) Held();
}

void History::TransformClip(clips::TClipText& clip, Transformation how) {
    if (clip.Backup.empty()) clip.Backup = clip.Text;
    clip.Text = TransformedText(how, clip.Text);
    clip.SetCaption(TransformedCaption(how, clip.Caption()));
    store_.SetUndoAvailable(clip, true);  // tells the views and the personal history
    Archive(clip);
    RewriteIfOnClipboard(clip);
}

void History::UndoTransformation(clips::TClipText& clip) {
    store_.SetUndoAvailable(clip, false);
    // A clip's text is never empty, so an empty backup means nothing to undo
    // (a foreign record may carry the mark without one): the text stays.
    if (clip.Backup.empty()) return;
    clip.Text = std::move(clip.Backup);
    clip.Backup.clear();
    store_.ContentChanged(clip);
    Archive(clip);
    RewriteIfOnClipboard(clip);
}

}  // namespace history
