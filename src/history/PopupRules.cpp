#include "history/PopupRules.h"

#include "clips/ClipKind.h"

namespace history {
using namespace clips;

PopupItemStates PopupItemStatesFor(const PopupClip& clip) {
    PopupItemStates s{};
    int k = clip.kind;
    s.copyEnabled = !clip.onClipboard;
    s.addToPersonalVisible = clip.inClipboardSection;
    // A sound lives in a temporary file: the personal history cannot keep it.
    s.addToPersonalEnabled = s.addToPersonalVisible && k != kWave;
    s.removeFromPersonalVisible = !s.addToPersonalVisible;
    s.sendAsMailVisible = k < kImage || k == kLinkText;
    s.formatVisible = k == kPlainText;
    s.openVisible = k == kLinkText;
    // Case-sensitive, and a shorter text is compared whole.
    s.openInNewWindowVisible = s.openVisible && clip.text.substr(0, 7) != "mailto:";
    s.sep01Visible = s.formatVisible || s.sendAsMailVisible || s.openVisible;
    s.undoEnabled = clip.tag == 1;
    return s;
}

}  // namespace history
