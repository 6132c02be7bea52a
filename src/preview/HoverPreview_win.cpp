#include "preview/HoverPreview_win.h"

#include <exception>

#include <shellapi.h>

#include "clips/Clip_win.h"
#include "common/CodePage.h"
#include "common/Wide_win.h"
#include "preview/PreviewText.h"

namespace preview {

HoverPreview::HoverPreview(toolkit::MenuItem& mnuMain, history::History& history,
                           const common::Settings& settings)
    : mnuMain_(mnuMain), history_(history), settings_(settings) {
    HoverTimer.OnTimer = [this](toolkit::TThreadedTimer& sender) { HoverTimerTimer(sender); };
}

bool HoverPreview::InMainMenu(const toolkit::MenuItem* item) const {
    for (; item; item = item->Parent())
        if (item == &mnuMain_) return true;
    return false;
}

void HoverPreview::Hide() {
    HoverTimer.SetEnabled(false);
    Preview.ReleaseHandle();
}

void HoverPreview::WMMenuSelect(UINT itemId, UINT flags, HMENU menu) {
    if (!settings_.PreviewMode) return;
    Hide();
    if (menu != history_.Menu().mniHistory.Handle() || !(flags & MF_HILITE) || (flags & MF_POPUP)) return;
    toolkit::MenuItem* item = toolkit::MenuItem::FromCommand(itemId);
    if (!InMainMenu(item)) return;
    Arm(item->MenuIndex(), std::nullopt);
}

void HoverPreview::HoverBeside(const clips::TClip& clip, const RECT& window) {
    if (!settings_.PreviewMode) return;
    Hide();
    Arm(history_.Menu().IndexOf(clip), window);
}

void HoverPreview::Arm(int index, std::optional<RECT> beside) {
    HoverIndex = index;
    Preview.SetBeside(beside);
    try {
        HoverTimer.SetEnabled(true);  // a fresh full interval
    } catch (const std::exception&) {
        // The preview never shows a message; without a timer there is just no preview.
    }
}

void HoverPreview::HoverTimerTimer(toolkit::TThreadedTimer&) {
    HoverTimer.SetEnabled(false);
    try {
        ShowEntry();
    } catch (const std::exception&) {
        // A preview that cannot be made (no memory for the window or the picture) is not shown, silently.
        Preview.ReleaseHandle();
    }
}

void HoverPreview::ShowEntry() {
    // The history may have changed since the highlight: take what stands there now.
    if (const clips::TClip* clip = history_.Menu().ClipAtIndex(HoverIndex)) clip->ShowPreview(*this);
}

std::string HoverPreview::Info(const clips::TClip& clip, const std::string& head) const {
    return InfoText(head, clip.Kind(), history_.IsOnClipboard(clip), clip.CapturedAt);
}

void HoverPreview::ShowText(const clips::TClip& clip, std::string_view label, std::string_view text) {
    Preview.ShowText(text, Info(clip, TextHead(label, clip.Source, common::NarrowWidth(text))));
}

void HoverPreview::ShowPicture(const clips::TClip& clip, const toolkit::Bitmap& picture) {
    std::string head =
        ImageHead(clip.Source, static_cast<unsigned>(picture.Width()), static_cast<unsigned>(picture.Height()));
    Preview.ShowBitmap(picture, Info(clip, head));
}

void HoverPreview::ShowFiles(const clips::TClip& clip, std::span<const std::string_view> paths) {
    std::string names;
    for (std::string_view path : paths) {
        // A file the shell cannot name (it no longer exists) is left out; the count keeps it.
        SHFILEINFOW info{};
        if (SHGetFileInfoW(common::Wide(path).c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME)) {
            names += common::Utf8(info.szDisplayName);
            names += "\r\n";
        }
    }
    Preview.ShowText(names, Info(clip, FilesHead(clip.Source, paths.size())));
}

void HoverPreview::ShowSound(const clips::TClip& clip) { Preview.ShowText(kSoundPlaying, Info(clip, WaveHead(clip.Source))); }

}  // namespace preview
