// The transformations of a clip's text, with one undo.
#include "clips/ClipText_win.h"
#include "history/History_win.h"

namespace history {
namespace {

// The clipboard holds what the clip holds, also after a change of its text.
// Written under our own window, so the capture routine takes no new clip of it;
// a failed write is shown as what it is, and the clip keeps its new text.
void RewriteIfOnClipboard(clips::TClipText& clip) {
    if (clip.Default()) History::RunAndReport([&] { clip.RestoreToClipboard(); });
}

}  // namespace

void History::TransformClip(clips::TClipText& clip, Transformation how) {
    if (clip.Backup.empty()) clip.Backup = clip.Text;
    clip.Text = TransformedText(how, clip.Text);
    std::string caption = TransformedCaption(how, clip.Caption());
    if (caption != clip.Caption()) clip.SetCaption(std::move(caption));
    clip.Tag = 1;
    if (SectionOf(clip) == Section::Personal) PersonalHistoryChanged();
    RewriteIfOnClipboard(clip);
}

void History::UndoTransformation(clips::TClipText& clip) {
    clip.Tag = 0;
    if (SectionOf(clip) == Section::Personal) PersonalHistoryChanged();
    // A clip's text is never empty, so an empty backup means nothing to undo
    // (a foreign record may carry the mark without one): the text stays.
    if (clip.Backup.empty()) return;
    clip.Text = std::move(clip.Backup);
    clip.Backup.clear();
    RewriteIfOnClipboard(clip);
}

}  // namespace history
