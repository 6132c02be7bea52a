// The click on a clip: its content goes back on the clipboard.
#include "clips/ClipText_win.h"
#include "history/History_win.h"

namespace history {

void History::ClipClick(toolkit::MenuItem& sender) {
    if (sender.Default()) return;  // already what the clipboard holds
    switch (sender.ImageIndex()) {
    case clips::kPlainText:
    case clips::kRichText:
    case clips::kHtml:
    case clips::kLinkText:
        if (auto* text = dynamic_cast<clips::TClipText*>(&sender)) text->RestoreToClipboard();
        break;
    case clips::kImage:
    case clips::kFileList:
    case clips::kWave:
        if (auto* clip = dynamic_cast<clips::TClip*>(&sender)) RestoreMediaClip(*clip);
        break;
    default:
        break;
    }
    // Also when nothing could be written: the user chose this clip.
    sender.SetDefault(true);
}

}  // namespace history
