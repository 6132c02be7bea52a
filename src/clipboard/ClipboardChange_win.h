#pragma once
// One clipboard change, read in one session of the clipboard: open (waiting a
// moment while another program holds it), recognise our own writes, an
// emptied clipboard and private content, hand the formats a new change offers
// to the caller while the clipboard is open, close. Nothing but reading
// happens while the clipboard is open: what was read is checked, written to
// files and appended afterwards, and errors met while reading are shown then.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "clipboard/PrivateContent_win.h"

namespace clipboard {

struct ClipboardChange {
    enum class Kind {
        AlreadyCaptured,  // nothing new since the last change captured
        OurOwn,           // one of our own writes
        Emptied,
        Private,          // marked by its program as not to be kept, or from an ignored program
        Offered,
    };
    Kind kind = Kind::AlreadyCaptured;
    DWORD sequence = 0;        // the clipboard's sequence number when it was read
    bool changedWhileRead = false;
    std::string source;        // the program that owned the clipboard
};

// How long a capture waits for another program to let go of the clipboard.
inline constexpr DWORD kCapturePatienceMs = 200;

// Called, for a change that offers content, with the formats it offers while
// the clipboard is open: it may read them, and do nothing else.
using ReadOffered = std::function<void(const ClipboardFormats& offered)>;

// Reads the clipboard as it is now. `lastCaptured` is the sequence number of
// the change captured last (0: none). Nothing when the clipboard stayed held
// by another program. What the programs of `ignoredPrograms` (the setting
// IgnoredPrograms) copy counts as private.
std::optional<ClipboardChange> ReadClipboardChange(DWORD lastCaptured, const std::string& ignoredPrograms,
                                                   const ReadOffered& read);

}  // namespace clipboard
