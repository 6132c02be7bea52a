#include "clips/ClipRecords_win.h"


#include "clips/ClipFiles_win.h"
#include "clips/ClipImage_win.h"
#include "clips/ClipText_win.h"

namespace clips {
using personal::ClipClass;
using personal::ClipRecord;
namespace {

void CopyTextFields(const TClipText& text, ClipRecord& record) {
    record.Text = text.Text;
    record.Backup = text.Backup;
}

std::unique_ptr<TClip> NewClipOf(ClipClass c) {
    switch (c) {
    case ClipClass::Text: return std::make_unique<TClipText>();
    case ClipClass::RichText: return std::make_unique<TClipRichText>();
    case ClipClass::HTMLText: return std::make_unique<TClipHTMLText>();
    case ClipClass::Image: return std::make_unique<TClipImage>();
    case ClipClass::Files: return std::make_unique<TClipFiles>();
    case ClipClass::Clip: break;
    }
    return std::make_unique<TClip>();
}

}  // namespace

std::optional<ClipRecord> RecordOfClip(const TClip& clip) {
    ClipRecord record;
    if (auto* rich = dynamic_cast<const TClipRichText*>(&clip)) {
        record.Class = ClipClass::RichText;
        CopyTextFields(*rich, record);
        record.RichText = rich->RichText;
    } else if (auto* html = dynamic_cast<const TClipHTMLText*>(&clip)) {
        record.Class = ClipClass::HTMLText;
        CopyTextFields(*html, record);
        record.HTMLText = html->HTMLText;
    } else if (auto* text = dynamic_cast<const TClipText*>(&clip)) {
        record.Class = ClipClass::Text;
        CopyTextFields(*text, record);
    } else if (auto* image = dynamic_cast<const TClipImage*>(&clip)) {
        record.Class = ClipClass::Image;
        if (!image->Bitmap().Empty()) record.BitmapData = image->Bitmap().SaveToBmp();
    } else if (auto* files = dynamic_cast<const TClipFiles*>(&clip)) {
        record.Class = ClipClass::Files;
        record.FileList = files->FileList;
    } else if (std::string_view(clip.ClassName()) == "TClip") {
        record.Class = ClipClass::Clip;
    } else {
        return std::nullopt;  // a sound clip
    }
    record.Tag = static_cast<int32_t>(clip.Tag);
    record.Caption = clip.Caption();
    record.Default = clip.Default();
    record.ImageIndex = clip.ImageIndex();
    record.CapturedAt = clip.CapturedAt;
    record.Source = clip.Source;
    return record;
}

std::unique_ptr<TClip> ClipOfRecord(ClipRecord& record) {
    std::unique_ptr<TClip> clip = NewClipOf(record.Class);
    if (auto* text = dynamic_cast<TClipText*>(clip.get())) {
        text->Text = std::move(record.Text);
        text->Backup = std::move(record.Backup);
        if (auto* rich = dynamic_cast<TClipRichText*>(text)) rich->RichText = std::move(record.RichText);
        if (auto* html = dynamic_cast<TClipHTMLText*>(text)) html->HTMLText = std::move(record.HTMLText);
    } else if (auto* image = dynamic_cast<TClipImage*>(clip.get())) {
        if (!record.BitmapBytes().empty()) image->Bitmap().LoadFromBmp(record.BitmapBytes());
    } else if (auto* files = dynamic_cast<TClipFiles*>(clip.get())) {
        files->FileList = std::move(record.FileList);
    }
    clip->Tag = record.Tag;
    clip->SetCaption(std::move(record.Caption));
    clip->SetDefault(record.Default);
    clip->SetImageIndex(record.ImageIndex);
    clip->CapturedAt = std::move(record.CapturedAt);
    clip->Source = std::move(record.Source);
    return clip;
}

}  // namespace clips
