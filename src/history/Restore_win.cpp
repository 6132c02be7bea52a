// The click on a clip: its content goes back on the clipboard.
#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "clips/ClipText_win.h"
#include "clips/ClipWave_win.h"
#include "history/History_win.h"

namespace history {
namespace {
template <typename Clip>
void RestoreAs(toolkit::MenuItem& item) {
    if (auto* clip = dynamic_cast<Clip*>(&item)) clip->RestoreToClipboard();
}
}  // namespace

void History::ClipClick(toolkit::MenuItem& sender) {
    if (sender.Default()) return;  // already what the clipboard holds
    // Every format of the clip in one session; a failure is reported once.
    RunAndReport([&] {
        switch (sender.ImageIndex()) {
        case clips::kPlainText:
        case clips::kRichText:
        case clips::kHtml:
        case clips::kLinkText:
            return RestoreAs<clips::TClipText>(sender);
        case clips::kImage:
            return RestoreAs<clips::TClipImage>(sender);
        case clips::kFileList:
            return RestoreAs<clips::TClipFiles>(sender);
        case clips::kWave:
            return RestoreAs<clips::TClipWave>(sender);
        default:
            return;  // not a clip: nothing to write
        }
    });
    // Also when nothing could be written: the user chose this clip.
    sender.SetDefault(true);
}

}  // namespace history
