#pragma once
// The hover preview of the history menu: resting on a clip's entry for the
// timer's interval shows the clip in the preview window; a sound clip plays.
// The menu's owner window forwards WM_MENUSELECT; the clip pop-up calls Hide
// before it opens.
#include <windows.h>

#include "clips/ClipPreview_win.h"
#include "common/Settings.h"
#include "history/History_win.h"
#include "preview/Preview_win.h"
#include "toolkit/MenuItem_win.h"
#include "toolkit/ThreadedTimer_win.h"

namespace preview {

class HoverPreview : private clips::ClipPreview {
public:
    // `mnuMain` is the menu tree the entries are looked up in; `history` holds
    // the clips; its PreviewMode is read from `settings` at each highlight.
    HoverPreview(toolkit::MenuItem& mnuMain, history::History& history, const common::Settings& settings);

    TPreview Preview;
    toolkit::TThreadedTimer HoverTimer;
    // The index in mniHistory of the entry highlighted last.
    int HoverIndex = -1;

    // A highlight in the history menu arms the timer for that entry; anything
    // else (another menu, no highlight, the menu closing) disarms it. Nothing
    // happens while PreviewMode is off.
    void WMMenuSelect(UINT itemId, UINT flags, HMENU menu);
    // The find window's selection: arms the timer for `clip`, whose preview
    // then shows beside `window` (the find window's screen rectangle).
    void HoverBeside(const clips::TClip& clip, const RECT& window);
    // One tick per arming: shows the entry at HoverIndex when it is a clip.
    void HoverTimerTimer(toolkit::TThreadedTimer& sender);
    // Hides the preview and stops the timer.
    void Hide();

private:
    bool InMainMenu(const toolkit::MenuItem* item) const;
    void Arm(int index, std::optional<RECT> beside);
    // Shows the entry at HoverIndex when it is a clip.
    void ShowEntry();
    // What a clip shows itself with: its info block above its content.
    void ShowText(const clips::TClip& clip, std::string_view label, std::string_view text) override;
    void ShowPicture(const clips::TClip& clip, const toolkit::Bitmap& picture) override;
    void ShowFiles(const clips::TClip& clip, std::span<const std::string_view> paths) override;
    void ShowSound(const clips::TClip& clip) override;
    std::string Info(const clips::TClip& clip, const std::string& head) const;

    toolkit::MenuItem& mnuMain_;
    history::History& history_;
    const common::Settings& settings_;
};

}  // namespace preview
