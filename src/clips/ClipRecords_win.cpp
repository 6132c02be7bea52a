#include "clips/ClipRecords_win.h"

#include "clips/ClipKinds_win.h"

namespace clips {

std::optional<personal::ClipRecord> RecordOfClip(const TClip& clip, bool onClipboard) {
    if (!clip.KeptInPersonalHistory()) return std::nullopt;
    personal::ClipRecord record;
    clip.WriteRecord(record);
    record.Default = onClipboard;
    return record;
}

std::unique_ptr<TClip> ClipOfRecord(personal::ClipRecord& record) {
    std::unique_ptr<TClip> clip = NewClipNamed(personal::ClipClassName(record.Class));
    clip->ReadRecord(record);
    return clip;
}

}  // namespace clips
