#include "clips/ClipImage_win.h"

#include "clipboard/ClipboardWrite_win.h"
#include "clipboard/PrivateContent_win.h"
#include "clips/ClipPreview_win.h"
#include "common/Failure.h"
#include "common/Text.h"
#include "archive/ArchivedClip.h"
#include "personal/PersonalRecord.h"
#include "toolkit/Png_win.h"

namespace clips {

std::string ImageCaption(int width, int height) {
    return common::Format("图像  [ %u x %u ]", static_cast<unsigned>(width), static_cast<unsigned>(height));
}

bool TClipImage::Offered(const clipboard::ClipboardFormats& offered) {
    return offered.Has(CF_BITMAP) || offered.Has(CF_DIB) || offered.Has(CF_DIBV5);
}

bool TClipImage::CaptureFromClipboard() {
    auto palette = static_cast<HPALETTE>(IsClipboardFormatAvailable(CF_PALETTE) ? GetClipboardData(CF_PALETTE) : nullptr);
    bmp_.reset();
    bitmap_.Clear();
    // The block itself, never the platform's conversion of it: another
    // program's sizes are checked against the bytes really there.
    for (UINT format : {CF_DIB, CF_DIBV5}) {
        if (!IsClipboardFormatAvailable(format)) continue;
        toolkit::GlobalLockGuard block(GetClipboardData(format));
        if (!block) continue;  // announced, but it holds nothing
        try {
            bitmap_.LoadFromDib({static_cast<const uint8_t*>(block.data()), block.size()}, palette);
        } catch (const toolkit::BmpError& refused) {
            throw common::Failure(std::string("剪贴板上的图像无法读取: ") + refused.what());
        }
        return true;
    }
    auto bitmap = static_cast<HBITMAP>(IsClipboardFormatAvailable(CF_BITMAP) ? GetClipboardData(CF_BITMAP) : nullptr);
    if (!bitmap) return false;
    bitmap_.LoadFromClipboardFormat(bitmap, palette);
    return true;
}

void TClipImage::NameForHistory(int) {
    SetCaption(ImageCaption(bitmap_.Width(), bitmap_.Height()));
    SetKind(kImage);
}

void TClipImage::RestoreToClipboard() const {
    if (bitmap_.Empty()) return;
    clipboard::ClipboardWrite write;
    write.Add(CF_DIB, bitmap_.SaveToDib());
    if (bitmap_.Palette()) write.Add(CF_PALETTE, toolkit::CopyPalette(bitmap_.Palette()));  // the clipboard's own
    write.Commit();
}

void TClipImage::ShowPreview(ClipPreview& preview) const { preview.ShowPicture(*this, bitmap_); }

void TClipImage::WriteRecord(personal::ClipRecord& record) const {
    TClip::WriteRecord(record);
    if (bitmap_.Empty()) return;
    if (!bmp_) bmp_ = std::make_shared<const std::vector<uint8_t>>(bitmap_.SaveToBmp());
    record.SharedBitmap = bmp_;
}

bool TClipImage::WriteArchive(archive::ArchivedClip& archived) const {
    WriteArchivedNames(archived);
    if (bitmap_.Empty()) return false;
    if (!bmp_) bmp_ = std::make_shared<const std::vector<uint8_t>>(bitmap_.SaveToBmp());
    // A picture PNG cannot hold with the same pixels (a palette, 16 bits) is kept as its BMP.
    archived.Prepare = [bmp = bmp_](archive::ArchivedClip& self) {
        self.Data = toolkit::CanBePng(*bmp) ? toolkit::PngOfBmp(*bmp) : *bmp;
    };
    return true;
}

void TClipImage::ReadArchive(archive::ArchivedClip& archived) {
    bmp_.reset();
    if (toolkit::IsPng(archived.Data)) bitmap_.LoadFromBmp(toolkit::BmpOfPng(archived.Data));  // throws when refused
    else bitmap_.LoadFromBmp(archived.Data);
    ReadArchivedNames(archived);
}

void TClipImage::ReadRecord(personal::ClipRecord& record) {
    bmp_.reset();
    if (!record.BitmapBytes().empty()) bitmap_.LoadFromBmp(record.BitmapBytes());  // throws when refused
    TClip::ReadRecord(record);
}

}  // namespace clips
