#pragma once
// Which commands the clip pop-up offers for a clip: by its kind, its section,
// whether it is the clip on the clipboard, its text and its undo mark.
#include <cstdint>
#include <string_view>

namespace history {

struct PopupClip {
    int kind;                // the clip kind (its image index)
    bool inClipboardSection; // false: a personal clip
    bool onClipboard;        // it has the default mark
    std::string_view text;   // the plain text of a text clip, else empty
    intptr_t tag;            // 1 while a transformation can be undone
};

struct PopupItemStates {
    bool copyEnabled;
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
