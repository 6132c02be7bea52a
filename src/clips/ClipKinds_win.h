#pragma once
// The one list of the clip kinds: the class a name of the personal history
// makes, and the kinds a clipboard change is captured into, in their order.
#include <exception>
#include <memory>
#include <string_view>
#include <vector>

#include "clips/Clip_win.h"

namespace clipboard {
struct ClipboardFormats;
}

namespace clips {

// A new clip of the class named so, or null for a name no kind has.
std::unique_ptr<TClip> NewClipNamed(std::string_view className);

// One clip of a change: made, or the error that stopped it.
struct CapturedClip {
    std::unique_ptr<TClip> clip;
    std::exception_ptr error;
};

// Reads the clips of a change from the clipboard, which the caller holds open
// and which offers `offered`: the richest text kind offered (HTML, else rich
// text, else plain text), then the picture, the file list and the sound.
// Nothing but reading: an error is kept in place of its clip, and a kind whose
// formats hold nothing gives no clip.
std::vector<CapturedClip> CaptureOffered(const clipboard::ClipboardFormats& offered);

}  // namespace clips
