#pragma once
// Which commands the clip pop-up offers for a clip: by what its kind allows,
// its section, whether it is the clip on the clipboard and its undo mark.
#include <cstdint>

#include "clips/ClipCommands.h"

namespace history {

struct PopupClip {
    clips::ClipCommands commands;  // as the clip's kind gives them
    bool inClipboardSection;       // false: a personal clip
    bool onClipboard;              // it has the default mark
    bool undoAvailable;            // a transformation can be undone
};

struct PopupItemStates {
    bool copyEnabled;
    bool copyAsPlainTextEnabled;
    bool addToPersonalVisible, addToPersonalEnabled;
    bool removeFromPersonalVisible;
    bool sendAsMailVisible;
    bool formatVisible;
    bool openVisible, openInNewWindowVisible;
    bool sep01Visible;
    bool undoEnabled;
};

PopupItemStates PopupItemStatesFor(const PopupClip& clip);

}  // namespace history
