// The image, file-list and sound branches of the capture and of the restore.
#include <windows.h>

#include <memory>

#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "clips/ClipWave_win.h"
#include "common/MessageBox_win.h"
#include "common/Win32Error_win.h"
#include "history/History_win.h"

namespace history {
namespace {

// Captures one clip of class `Clip` when `format` is offered: a clip that read
// nothing, or whose data duplicates an entry (`duplicateKind`, -1 for none),
// is destroyed; any other is appended with the default mark. An error destroys
// the clip and is shown; the capture goes on with the next format.
template <typename Clip>
void CaptureOne(History& history, UINT format, int duplicateKind) {
    if (!IsClipboardFormatAvailable(format)) return;
    History::MakeOneClip([&] {
        try {
            auto clip = std::make_unique<Clip>();
            if (!clip->CaptureFromClipboard()) return;
            if (duplicateKind >= 0 && history.FindDuplicate(*clip->DuplicateData(), duplicateKind)) return;
            clip->AddToHistory(history.mniHistory, history.ClickAction());
            clip.release();  // the menu owns it now
            history.UpdateHistory();
        } catch (const common::Win32Error& error) {
            // It carries its own code: once the clip is gone, GetLastError may tell of something else.
            common::ShowError(error);
        }
    });
}

}  // namespace

void History::CaptureImageClip() { CaptureOne<clips::TClipImage>(*this, CF_BITMAP, -1); }

void History::CaptureFileListClip() { CaptureOne<clips::TClipFiles>(*this, CF_HDROP, clips::kFileList); }

void History::CaptureWaveClip() { CaptureOne<clips::TClipWave>(*this, CF_WAVE, -1); }

void History::RestoreMediaClip(clips::TClip& clip) {
    try {
        if (auto* image = dynamic_cast<clips::TClipImage*>(&clip)) image->RestoreToClipboard();
        else if (auto* files = dynamic_cast<clips::TClipFiles*>(&clip)) files->RestoreToClipboard();
        else if (auto* wave = dynamic_cast<clips::TClipWave*>(&clip)) wave->RestoreToClipboard();
    } catch (const common::Win32Error& error) {
        common::ShowError(error);
    }
}

}  // namespace history
