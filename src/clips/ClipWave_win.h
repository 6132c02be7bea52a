#pragma once
// A wave sound (CF_WAVE), kind 5, kept in a temporary file of its own.
#include <cstdint>
#include <string>
#include <vector>

#include "clips/Clip_win.h"

namespace clipboard {
struct ClipboardFormats;
}

namespace clips {

class TClipWave : public TClip {
public:
    // The temporary file that holds the sound; empty when none could be made.
    // The program never deletes it: restoring and the preview read it.
    std::string FilePath;

    // The personal history never keeps a sound: its record class does not exist.
    static constexpr const char* kClassName = "TClipWave";
    const char* ClassName() const override { return kClassName; }

    static bool Offered(const clipboard::ClipboardFormats& offered);
    // Copies the RIFF file of CF_WAVE (as long as its header says, never more
    // than the block holds) into memory. False when there is no block with a
    // RIFF header.
    bool CaptureFromClipboard() override;
    // Then, with the clipboard closed again (no other program waits for it
    // meanwhile), writes that copy into a new "Clp" file of the temporary
    // folder. Without a file name, no FilePath; throws common::Win32Error
    // (the half-made file removed) when writing fails.
    void FinishCapture() override;
    // Caption "Wave 声音", kind 5.
    void NameForHistory(int captionLength) override;
    // Puts the file's bytes on the emptied clipboard as CF_WAVE. A missing,
    // unreadable or empty file leaves the clipboard unchanged; a clipboard
    // that can't be written throws common::Win32Error.
    void RestoreToClipboard() const override;
    // Shows its info and plays; a failure (no file, no sound device) is no
    // concern of the preview.
    void ShowPreview(ClipPreview& preview) const override;

    // The archive keeps the sound's bytes, read from its file on the archive's
    // worker; an archived sound gets a temporary file of its own again.
    bool WriteArchive(archive::ArchivedClip& archived) const override;
    void ReadArchive(archive::ArchivedClip& archived) override;

private:
    std::vector<uint8_t> sound_;  // captured, not yet in its file
};

extern const char* const kWaveCaption;

}  // namespace clips
