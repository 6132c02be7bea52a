#pragma once
// A list of files copied in the shell (CF_HDROP), kind 4.
#include <string>

#include "clips/Clip_win.h"

namespace clips {

class TClipFiles : public TClip {
public:
    // The full paths, each followed by CR LF, in the clipboard's order.
    std::string FileList;

    const char* ClassName() const override { return "TClipFiles"; }
    const std::string* DuplicateData() const override { return &FileList; }

    // Reads the names of CF_HDROP (at most 259 bytes each) from the clipboard,
    // which the caller holds open. False when it holds no complete list with
    // at least one file.
    bool CaptureFromClipboard();
    // Caption made from FileList, kind 4, stamped and appended.
    void AddToHistory(toolkit::MenuItem& menu, ClickHandler action);
    // Puts a CF_HDROP block built from FileList on the emptied clipboard.
    // Throws common::Win32Error, before touching the clipboard when the block
    // can't be allocated.
    void RestoreToClipboard() const;
};

}  // namespace clips
