#pragma once
// A picture from the clipboard, kind 3.
#include <memory>
#include <vector>

#include "clips/Clip_win.h"
#include "toolkit/Bitmap_win.h"

namespace clipboard {
struct ClipboardFormats;
}

namespace clips {

class TClipImage : public TClip {
public:
    static constexpr const char* kClassName = "TClipImage";
    const char* ClassName() const override { return kClassName; }

    // The clip's own image; empty until captured or loaded. Changing it through
    // the first form drops the BMP kept for saves.
    toolkit::Bitmap& Bitmap() noexcept {
        bmp_.reset();
        return bitmap_;
    }
    const toolkit::Bitmap& Bitmap() const noexcept { return bitmap_; }
    // The clip keeps its own copy of `image`.
    void SetBitmap(const toolkit::Bitmap& image) {
        bmp_.reset();
        bitmap_.Assign(image);
    }

    static bool Offered(const clipboard::ClipboardFormats& offered);
    // Reads the device-independent block (CF_DIB, else CF_DIBV5) through our
    // own strict reader, bounded by the block's size, with CF_PALETTE when
    // offered; a device-dependent CF_BITMAP only when no such block is offered.
    // False when there is no picture; throws common::Failure, saying what is
    // wrong, when the picture is refused, or common::Win32Error when it can't be copied.
    bool CaptureFromClipboard() override;
    // Caption "图像  [ width x height ]", kind 3.
    void NameForHistory(int captionLength) override;
    // Puts the picture (CF_DIB, and CF_PALETTE when it has a palette) on the
    // clipboard in one session; every program can paste it, as the platform
    // offers it in the other picture formats too. Throws common::Win32Error,
    // before touching the clipboard when the data can't be made.
    void RestoreToClipboard() const override;
    void ShowPreview(ClipPreview& preview) const override;
    // The record holds the picture as a BMP file, encoded at the first save and
    // shared with every later one (a picture never changes once captured).
    void WriteRecord(personal::ClipRecord& record) const override;
    void ReadRecord(personal::ClipRecord& record) override;
    // The archive keeps the picture as a PNG (the same pixels come back),
    // compressed on the archive's worker from the BMP shared with the saves;
    // a picture that PNG would change is kept as its BMP.
    bool WriteArchive(archive::ArchivedClip& archived) const override;
    void ReadArchive(archive::ArchivedClip& archived) override;

private:
    toolkit::Bitmap bitmap_;
    mutable std::shared_ptr<const std::vector<uint8_t>> bmp_;
};

// The caption of a picture of the given size.
std::string ImageCaption(int width, int height);

}  // namespace clips
