#include "preview/HoverPreview_win.h"

#include <exception>

#include <mmsystem.h>
#include <shellapi.h>

#include "clips/ClipImage_win.h"
#include "clips/ClipWave_win.h"
#include "clips/DropFiles.h"
#include "common/Settings.h"
#include "preview/PreviewText.h"

namespace preview {

HoverPreview::HoverPreview(toolkit::MenuItem& mnuMain, toolkit::MenuItem& mniHistory)
    : mnuMain_(mnuMain), mniHistory_(mniHistory) {
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
    if (!common::settings().PreviewMode) return;
    Hide();
    if (menu != mniHistory_.Handle() || !(flags & MF_HILITE) || (flags & MF_POPUP)) return;
    toolkit::MenuItem* item = toolkit::MenuItem::FromCommand(itemId);
    if (!InMainMenu(item)) return;
    HoverIndex = item->MenuIndex();
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
    if (HoverIndex < 0 || HoverIndex >= mniHistory_.Count()) return;
    auto* clip = dynamic_cast<clips::TClip*>(mniHistory_.Items(HoverIndex));
    if (!clip) return;
    bool onClipboard = clip->Default();
    int kind = clip->ImageIndex();
    switch (kind) {
    case clips::kPlainText:
    case clips::kRichText:
    case clips::kLinkText:
        if (auto* text = dynamic_cast<clips::TClipText*>(clip))
            PreviewTextClip(*text, kind == clips::kPlainText  ? kTextLabel
                                   : kind == clips::kRichText ? kRichTextLabel
                                                              : kLinkLabel);
        break;
    case clips::kHtml:
        if (auto* html = dynamic_cast<clips::TClipHTMLText*>(clip)) PreviewHTMLClip(*html);
        break;
    case clips::kFileList:
        if (auto* files = dynamic_cast<clips::TClipFiles*>(clip)) PreviewFilesClip(*files);
        break;
    case clips::kImage:
        if (auto* image = dynamic_cast<clips::TClipImage*>(clip)) {
            const toolkit::Bitmap& bitmap = image->Bitmap();
            std::string head = ImageHead(clip->Source, static_cast<unsigned>(bitmap.Width()),
                                         static_cast<unsigned>(bitmap.Height()));
            Preview.ShowBitmap(bitmap, InfoText(head, kind, onClipboard, clip->CapturedAt));
        }
        break;
    case clips::kWave:
        if (auto* wave = dynamic_cast<clips::TClipWave*>(clip)) {
            Preview.ShowText(kSoundPlaying, InfoText(WaveHead(clip->Source), kind, onClipboard, clip->CapturedAt));
            // Plays on by itself; a failure (no file, no sound device) is no concern of the preview.
            if (!wave->FilePath.empty()) PlaySoundA(wave->FilePath.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
        }
        break;
    default:
        break;
    }
}

void HoverPreview::PreviewTextClip(const clips::TClipText& clip, const char* label) {
    std::string head = TextHead(label, clip.Source, clip.Text.size());
    Preview.ShowText(clip.Text, InfoText(head, clip.ImageIndex(), clip.Default(), clip.CapturedAt));
}

void HoverPreview::PreviewHTMLClip(const clips::TClipHTMLText& clip) {
    std::string lite = clip.LiteHTMLText();
    std::string head = HtmlHead(clip.Source, lite.size());
    Preview.ShowText(lite, InfoText(head, clip.ImageIndex(), clip.Default(), clip.CapturedAt));
}

void HoverPreview::PreviewFilesClip(const clips::TClipFiles& clip) {
    std::vector<std::string_view> paths = clips::SplitFileList(clip.FileList);
    std::string names;
    for (std::string_view path : paths) {
        // A file the shell cannot name (it no longer exists) is left out; the count keeps it.
        SHFILEINFOA info{};
        if (SHGetFileInfoA(std::string(path).c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME)) {
            names += info.szDisplayName;
            names += "\r\n";
        }
    }
    std::string head = FilesHead(clip.Source, paths.size());
    Preview.ShowText(names, InfoText(head, clip.ImageIndex(), clip.Default(), clip.CapturedAt));
}

}  // namespace preview
