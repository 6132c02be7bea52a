#pragma once
// A list of files copied in the shell (CF_HDROP), kind 4.
#include <string>

#include "clips/Clip_win.h"

namespace clipboard {
struct ClipboardFormats;
}

namespace clips {

class TClipFiles : public TClip {
public:
    static constexpr const char* kClassName = "TClipFiles";
    // The full paths, each followed by CR LF, in the clipboard's order.
    std::string FileList;

    const char* ClassName() const override { return kClassName; }
    static bool Offered(const clipboard::ClipboardFormats& offered);
    // Reads the names of CF_HDROP (at most 259 bytes each). False when it holds
    // no complete list with at least one file.
    bool CaptureFromClipboard() override;
    // Caption made from FileList, kind 4.
    void NameForHistory(int captionLength) override;
    // Puts a CF_HDROP block built from FileList on the emptied clipboard.
    // Throws common::Win32Error, before touching the clipboard when the block
    // can't be allocated.
    void RestoreToClipboard() const override;
    bool DroppedWithEmptiedClipboard() const override { return true; }
    const std::string* DuplicateData() const override { return &FileList; }
    std::string_view FoundBy() const override { return FileList; }
    bool ComparedWith(int kind) const override { return kind == kFileList; }
    // Paths name the same files in any letter case.
    bool DuplicateIgnoresCase() const override { return true; }
    void ShowPreview(ClipPreview& preview) const override;
    void WriteRecord(personal::ClipRecord& record) const override;
    void ReadRecord(personal::ClipRecord& record) override;
};

}  // namespace clips
