#include "clipboard/ClipboardChange_win.h"

#include <vector>

#include "clipboard/ClipboardOwner_win.h"
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

}  // namespace

std::optional<ClipboardChange> ReadClipboardChange(DWORD lastCaptured, const std::string& ignoredPrograms,
                                                   const ReadOffered& read) {
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
    } else {
        std::string source = ClipboardSourceOf(owner, change.sequence);
        if (ClipboardContentIsPrivate(offered) || IsExcludedProgram(source, ignoredPrograms)) {
            change.kind = ClipboardChange::Kind::Private;
        } else {
            change.kind = ClipboardChange::Kind::Offered;
            change.source = std::move(source);
            read(offered);
        }
    }
    // The content cannot change while we hold the clipboard, unless its owner
    // renders a format late; a read that straddles a change is not used.
    change.changedWhileRead = GetClipboardSequenceNumber() != change.sequence;
    return change;
}

}  // namespace clipboard
