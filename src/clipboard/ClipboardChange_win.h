#pragma once
// What one clipboard change offers, read in one session of the clipboard:
// open (waiting a moment while another program holds it), recognise our own
// writes, an emptied clipboard and private content, read every format the
// change offers into clips, close. Nothing but reading happens while the
// clipboard is open; the clips are checked, written to files and appended
// afterwards, and errors met while reading are shown then.
#include <windows.h>

#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "clips/ClipText_win.h"
#include "clips/ClipWave_win.h"

namespace clipboard {

// One clip of the change: made, or the error that stopped it (or neither, when
// the format is absent or held nothing).
template <typename Clip>
struct CapturedClip {
    std::unique_ptr<Clip> clip;
    std::exception_ptr error;
};

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
    // The richest text kind offered (HTML, else RTF, else plain), then the others.
    CapturedClip<clips::TClipText> text;
    int textKind = clips::kNoKind;
    CapturedClip<clips::TClipImage> image;
    CapturedClip<clips::TClipFiles> files;
    CapturedClip<clips::TClipWave> wave;
};

// How long a capture waits for another program to let go of the clipboard.
inline constexpr DWORD kCapturePatienceMs = 200;

// Reads the clipboard as it is now. `lastCaptured` is the sequence number of
// the change captured last (0: none). Nothing when the clipboard stayed held
// by another program.
std::optional<ClipboardChange> ReadClipboardChange(DWORD lastCaptured);

}  // namespace clipboard
