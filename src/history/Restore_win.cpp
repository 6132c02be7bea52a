// The click on a clip: its content goes back on the clipboard.
#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "clips/ClipText_win.h"
#include "clips/ClipWave_win.h"
#include "history/History_win.h"

namespace history {

void History::ClipClick(toolkit::MenuItem& sender) {
    if (sender.Default()) return;  // already what the clipboard holds
    // Every format of the clip in one session; a failure is reported once.
    RunAndReport([&] {
        switch (sender.ImageIndex()) {
        case clips::kPlainText:
        case clips::kRichText:
        case clips::kHtml:
        case clips::kLinkText:
            if (auto* text = dynamic_cast<clips::TClipText*>(&sender)) text->RestoreToClipboard();
            break;
        case clips::kImage:
            if (auto* image = dynamic_cast<clips::TClipImage*>(&sender)) image->RestoreToClipboard();
            break;
        case clips::kFileList:
            if (auto* files = dynamic_cast<clips::TClipFiles*>(&sender)) files->RestoreToClipboard();
            break;
        case clips::kWave:
            if (auto* wave = dynamic_cast<clips::TClipWave*>(&sender)) wave->RestoreToClipboard();
            break;
        default:
            break;
        }
    });
    // Also when nothing could be written: the user chose this clip.
    sender.SetDefault(true);
}

}  // namespace history
