#include "history/PopupRules.h"

namespace history {

PopupItemStates PopupItemStatesFor(const PopupClip& clip) {
    PopupItemStates s{};
    const clips::ClipCommands& c = clip.commands;
    s.copyEnabled = !clip.onClipboard;
    // Also for the clip on the clipboard: its plain text alone is another content.
    s.copyAsPlainTextEnabled = c.copiesAsPlainText;
    s.addToPersonalVisible = clip.inClipboardSection;
    s.addToPersonalEnabled = s.addToPersonalVisible && c.keptInPersonalHistory;
    s.removeFromPersonalVisible = !s.addToPersonalVisible;
    s.sendAsMailVisible = c.sendsAsMail;
    s.formatVisible = c.transforms;
    s.openVisible = c.opens;
    // Case-sensitive, and a shorter text is compared whole.
    s.openInNewWindowVisible = s.openVisible && c.text.substr(0, 7) != "mailto:";
    s.sep01Visible = s.formatVisible || s.sendAsMailVisible || s.openVisible;
    s.undoEnabled = clip.undoAvailable;
    return s;
}

}  // namespace history
