#pragma once
// The clip pop-up: the commands of one clip, opened nested on the history menu
// by the right button or the menu key over the clip's entry. Which commands it
// offers follows the clip (PopupRules); each row of its table names its action,
// which acts on that clip through the history, or is left alone when the clip
// is gone by then.
#include <windows.h>

#include <functional>
#include <string>

#include "clips/Clip.h"
#include "toolkit/MenuItem_win.h"

namespace clips {
class TClipText;
}

namespace history {

class History;

// What the pop-up asks of the world outside the histories for a text clip.
struct ClipTextActions {
    std::function<void(const std::string& text)> sendAsMail, open, openInNewWindow;
};

class ClipPopup {
public:
    // Fills `menu` (empty) with the pop-up's rows.
    ClipPopup(toolkit::MenuItem& menu, History& history, ClipTextActions actions);
    ClipPopup(const ClipPopup&) = delete;
    ClipPopup& operator=(const ClipPopup&) = delete;

    // Runs just before the pop-up opens (the main form hides the preview).
    std::function<void()> OnOpening;

    // The right button released, or the menu key pressed, over `position` of
    // the open `historyMenu`: over a clip, opens its pop-up there, nested on the
    // history menu, and returns when it has closed; over anything else, nothing.
    void OpenAt(int position, HMENU historyMenu, bool fromKeyboard, HWND owner);
    bool IsOpen() const noexcept { return open_; }
    // The clip whose pop-up was opened last, while it lives.
    clips::TClip* Clip() const;

private:
    // Shows, hides, enables and disables the rows for `clip`.
    void SetUpFor(const clips::TClip& clip);
    // The clip when it is a text clip: the commands that act on text.
    clips::TClipText* Text() const;
    void WithText(const std::function<void(const std::string&)>& action) const;

    toolkit::MenuItem& menu_;
    History& history_;
    ClipTextActions actions_;
    clips::ClipRef clip_;
    bool open_ = false;
    toolkit::MenuItem *mniCopy = nullptr, *mniCopyAsPlainText = nullptr, *mniFormatMenu = nullptr,
                      *mniSendAsMail = nullptr, *mniOpen = nullptr, *mniOpenInNewWindow = nullptr,
                      *sep01 = nullptr, *mniAddToPersonalHistory = nullptr,
                      *mniRemoveFromPersonalHistory = nullptr, *mniUndo = nullptr;
};

}  // namespace history
