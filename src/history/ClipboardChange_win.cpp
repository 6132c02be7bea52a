#include "history/ClipboardChange_win.h"

#include "clips/PrivateContent_win.h"
#include "toolkit/Handles_win.h"

namespace history {
namespace {

template <typename Clip>
CapturedClip<Clip> Capture(std::unique_ptr<Clip> clip) {
    CapturedClip<Clip> captured;
    try {
        if (clip->CaptureFromClipboard()) captured.clip = std::move(clip);
    } catch (...) {
        captured.error = std::current_exception();
    }
    return captured;
}

void ReadTextKind(ClipboardChange& change) {
    // The richest kind offered decides; what its capture finds does not.
    std::unique_ptr<clips::TClipText> clip;
    if (IsClipboardFormatAvailable(clips::HTMLFormat)) {
        clip = std::make_unique<clips::TClipHTMLText>();
        change.textKind = clips::kHtml;
    } else if (IsClipboardFormatAvailable(clips::RichTextFormat)) {
        clip = std::make_unique<clips::TClipRichText>();
        change.textKind = clips::kRichText;
    } else if (IsClipboardFormatAvailable(CF_TEXT)) {
        clip = std::make_unique<clips::TClipText>();
        change.textKind = clips::kPlainText;
    } else {
        return;
    }
    change.text = Capture(std::move(clip));
}

}  // namespace

std::optional<ClipboardChange> ReadClipboardChange(DWORD lastCaptured) {
    toolkit::ClipboardSession session(clips::ClipboardOwnerWindow, kCapturePatienceMs);
    if (!session) return std::nullopt;
    ClipboardChange change;
    change.sequence = GetClipboardSequenceNumber();
    if (change.sequence != 0 && change.sequence == lastCaptured) return change;
    // Everything we write is owned by ClipboardOwnerWindow: not a new clip.
    HWND owner = GetClipboardOwner();
    if (clips::ClipboardOwnerWindow && owner == clips::ClipboardOwnerWindow) {
        change.kind = ClipboardChange::Kind::OurOwn;
    } else if (CountClipboardFormats() < 1) {
        change.kind = ClipboardChange::Kind::Emptied;
    } else if (clips::ClipboardContentIsPrivate()) {
        change.kind = ClipboardChange::Kind::Private;
    } else {
        change.kind = ClipboardChange::Kind::Offered;
        change.source = clips::ClipboardOwnerName();
        ReadTextKind(change);
        if (IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_DIB) ||
            IsClipboardFormatAvailable(CF_DIBV5))
            change.image = Capture(std::make_unique<clips::TClipImage>());
        if (IsClipboardFormatAvailable(CF_HDROP)) change.files = Capture(std::make_unique<clips::TClipFiles>());
        if (IsClipboardFormatAvailable(CF_WAVE)) change.wave = Capture(std::make_unique<clips::TClipWave>());
    }
    // The content cannot change while we hold the clipboard, unless its owner
    // renders a format late; a read that straddles a change is not used.
    change.changedWhileRead = GetClipboardSequenceNumber() != change.sequence;
    return change;
}

}  // namespace history
