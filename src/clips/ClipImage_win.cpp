#include "clips/ClipImage_win.h"

#include "common/Text.h"

namespace clips {

std::string ImageCaption(int width, int height) {
    return common::Format("图像  [ %u x %u ]", static_cast<unsigned>(width), static_cast<unsigned>(height));
}

bool TClipImage::CaptureFromClipboard() {
    toolkit::ClipboardSession clipboard(ClipboardOwnerWindow);
    if (!clipboard) return false;
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
    bitmap_.Clear();
    if (!bitmap) return false;
    bitmap_.LoadFromClipboardFormat(bitmap, palette);
    return true;
}

void TClipImage::AddToHistory(toolkit::MenuItem& menu, ClickHandler action) {
    SetCaption(ImageCaption(bitmap_.Width(), bitmap_.Height()));
    StampAndAppend(menu, kImage, std::move(action));
}

void TClipImage::RestoreToClipboard() const {
    if (bitmap_.Empty()) return;
    // Made first, so a failure leaves the clipboard as it was.
    toolkit::Bitmap::ClipboardData data = bitmap_.SaveToClipboardFormat();
    toolkit::ClipboardSession clipboard(ClipboardOwnerWindow);
    if (!clipboard) return;
    EmptyClipboard();
    // Once set, the handles belong to the clipboard.
    if (SetClipboardData(CF_BITMAP, data.bitmap.get())) data.bitmap.release();
    if (data.palette && SetClipboardData(CF_PALETTE, data.palette.get())) data.palette.release();
}

}  // namespace clips
