#pragma once
// A picture from the clipboard, kind 3.
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

    // Reads the picture from the clipboard, which the caller holds open: the
    // device-independent block (CF_DIB, else CF_DIBV5) through our own strict
    // reader, bounded by the block's size, with CF_PALETTE when offered; a
    // device-dependent CF_BITMAP only when no such block is offered. False when
    // there is no picture; throws common::Win32Error, saying what is wrong,
    // when the picture is refused or can't be copied.
    bool CaptureFromClipboard();
    // Caption "图像  [ width x height ]", kind 3, stamped and appended.
    void AddToHistory(toolkit::MenuItem& menu, ClickHandler action);
    // Puts the picture (CF_DIB, and CF_PALETTE when it has a palette) on the
    // clipboard in one session; every program can paste it, as the platform
    // offers it in the other picture formats too. Throws common::Win32Error,
    // before touching the clipboard when the data can't be made.
    void RestoreToClipboard() const;

private:
    toolkit::Bitmap bitmap_;
};

// The caption of a picture of the given size.
std::string ImageCaption(int width, int height);

}  // namespace clips
