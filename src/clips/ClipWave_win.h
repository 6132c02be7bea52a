#pragma once
// A wave sound (CF_WAVE), kind 5, kept in a temporary file of its own.
#include <string>

#include "clips/Clip_win.h"

namespace clips {

class TClipWave : public TClip {
public:
    // The temporary file that holds the sound; empty when none could be made.
    // The program never deletes it: restoring and the preview read it.
    std::string FilePath;

    const char* ClassName() const override { return "TClipWave"; }

    // Copies the RIFF file of CF_WAVE (as long as its header says, never more
    // than the block holds) into a new "Clp" file of the temporary folder.
    // False when the clipboard cannot be opened or holds no block with a RIFF
    // header. True without a FilePath when no file name could be made; throws
    // common::Win32Error (the half-made file removed) when writing fails.
    bool CaptureFromClipboard();
    // Caption "Wave 声音", kind 5, stamped and appended.
    void AddToHistory(toolkit::MenuItem& menu, ClickHandler action);
    // Puts the file's bytes on the emptied clipboard as CF_WAVE. A missing,
    // unreadable or empty file leaves the clipboard unchanged.
    void RestoreToClipboard() const;
};

extern const char* const kWaveCaption;

}  // namespace clips
