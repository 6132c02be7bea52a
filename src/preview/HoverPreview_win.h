#pragma once
// The hover preview of the history menu: resting on a clip's entry for the
// timer's interval shows the clip in the preview window; a sound clip plays.
// The menu's owner window forwards WM_MENUSELECT; the clip pop-up calls Hide
// before it opens.
#include <windows.h>

#include "clips/ClipFiles_win.h"
#include "clips/ClipText_win.h"
#include "preview/Preview_win.h"
#include "toolkit/MenuItem_win.h"
#include "toolkit/ThreadedTimer_win.h"

namespace preview {

class HoverPreview {
public:
    // `mnuMain` is the menu tree the entries are looked up in; `mniHistory` the history menu.
    HoverPreview(toolkit::MenuItem& mnuMain, toolkit::MenuItem& mniHistory);

    TPreview Preview;
    toolkit::TThreadedTimer HoverTimer;
    // The index in mniHistory of the entry highlighted last.
    int HoverIndex = -1;

    // A highlight in the history menu arms the timer for that entry; anything
    // else (another menu, no highlight, the menu closing) disarms it. Nothing
    // happens while PreviewMode is off.
    void WMMenuSelect(UINT itemId, UINT flags, HMENU menu);
    // One tick per arming: shows the entry at HoverIndex when it is a clip.
    void HoverTimerTimer(toolkit::TThreadedTimer& sender);
    void PreviewTextClip(const clips::TClipText& clip, const char* label);
    void PreviewHTMLClip(const clips::TClipHTMLText& clip);
    void PreviewFilesClip(const clips::TClipFiles& clip);
    // Hides the preview and stops the timer.
    void Hide();

private:
    bool InMainMenu(const toolkit::MenuItem* item) const;
    // Shows the entry at HoverIndex when it is a clip.
    void ShowEntry();

    toolkit::MenuItem& mnuMain_;
    toolkit::MenuItem& mniHistory_;
};

}  // namespace preview
