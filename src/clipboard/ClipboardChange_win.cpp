#include "clipboard/ClipboardChange_win.h"

#include <vector>

#include "clipboard/ClipboardOwner_win.h"
#include "clipboard/PrivateContent_win.h"
#include "toolkit/Handles_win.h"

namespace clipboard {
namespace {

// Every format the clipboard offers, in one call (one round trip to the
// system instead of one per format asked about).
std::vector<UINT> OfferedFormats() {
    std::vector<UINT> formats(64);
    for (;;) {
        UINT count = 0;
        if (GetUpdatedClipboardFormats(formats.data(), static_cast<UINT>(formats.size()), &count)) {
            formats.resize(count);
            return formats;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || formats.size() >= 0x10000) break;
        formats.resize(formats.size() * 4);
    }
    // Asked one by one instead.
    formats.clear();
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
        formats.push_back(format);
    return formats;
}

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

void ReadTextKind(ClipboardChange& change, const clipboard::ClipboardFormats& offered) {
    // The richest kind offered decides; what its capture finds does not.
    std::unique_ptr<clips::TClipText> clip;
    if (offered.Has(clipboard::HTMLFormat)) {
        clip = std::make_unique<clips::TClipHTMLText>();
        change.textKind = clips::kHtml;
    } else if (offered.Has(clipboard::RichTextFormat)) {
        clip = std::make_unique<clips::TClipRichText>();
        change.textKind = clips::kRichText;
    } else if (offered.Has(CF_TEXT) || offered.Has(CF_UNICODETEXT) || offered.Has(CF_OEMTEXT)) {
        clip = std::make_unique<clips::TClipText>();
        change.textKind = clips::kPlainText;
    } else {
        return;
    }
    change.text = Capture(std::move(clip));
}

}  // namespace

std::optional<ClipboardChange> ReadClipboardChange(DWORD lastCaptured) {
    toolkit::ClipboardSession session(clipboard::ClipboardOwnerWindow, kCapturePatienceMs);
    if (!session) return std::nullopt;
    ClipboardChange change;
    change.sequence = GetClipboardSequenceNumber();
    if (change.sequence != 0 && change.sequence == lastCaptured) return change;
    // Everything we write is owned by ClipboardOwnerWindow: not a new clip.
    HWND owner = GetClipboardOwner();
    if (clipboard::ClipboardOwnerWindow && owner == clipboard::ClipboardOwnerWindow) {
        change.kind = ClipboardChange::Kind::OurOwn;
        return change;
    }
    const clipboard::ClipboardFormats offered{OfferedFormats()};
    if (offered.list.empty()) {
        change.kind = ClipboardChange::Kind::Emptied;
    } else if (clipboard::ClipboardContentIsPrivate(offered) || clipboard::OwnerIsIgnoredProgram(owner)) {
        change.kind = ClipboardChange::Kind::Private;
    } else {
        change.kind = ClipboardChange::Kind::Offered;
        change.source = clipboard::ClipboardOwnerName(owner);
        ReadTextKind(change, offered);
        if (offered.Has(CF_BITMAP) || offered.Has(CF_DIB) || offered.Has(CF_DIBV5))
            change.image = Capture(std::make_unique<clips::TClipImage>());
        if (offered.Has(CF_HDROP)) change.files = Capture(std::make_unique<clips::TClipFiles>());
        if (offered.Has(CF_WAVE)) change.wave = Capture(std::make_unique<clips::TClipWave>());
    }
    // The content cannot change while we hold the clipboard, unless its owner
    // renders a format late; a read that straddles a change is not used.
    change.changedWhileRead = GetClipboardSequenceNumber() != change.sequence;
    return change;
}

}  // namespace clipboard
