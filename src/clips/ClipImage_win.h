#pragma once
// A picture from the clipboard (CF_BITMAP with its CF_PALETTE), kind 3.
#include "clips/Clip_win.h"
#include "toolkit/Bitmap_win.h"

namespace clips {

class TClipImage : public TClip {
public:
    const char* ClassName() const override { return "TClipImage"; }

    // The clip's own image; empty until captured or loaded.
    toolkit::Bitmap& Bitmap() noexcept { return bitmap_; }
    const toolkit::Bitmap& Bitmap() const noexcept { return bitmap_; }
    // The clip keeps its own copy of `image`.
    void SetBitmap(const toolkit::Bitmap& image) { bitmap_.Assign(image); }

    // Copies the clipboard's bitmap and palette. False when the clipboard
    // cannot be opened or holds no bitmap; throws common::Win32Error when the
    // copy cannot be made.
    bool CaptureFromClipboard();
    // Caption "图像  [ width x height ]", kind 3, stamped and appended.
    void AddToHistory(toolkit::MenuItem& menu, ClickHandler action);
    // Puts a new bitmap (and a palette copy, if any) on the emptied clipboard.
    // Throws common::Win32Error, before touching the clipboard, when they cannot be made.
    void RestoreToClipboard() const;

private:
    toolkit::Bitmap bitmap_;
};

// The caption of a picture of the given size.
std::string ImageCaption(int width, int height);

}  // namespace clips
