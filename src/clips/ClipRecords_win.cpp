#include "clips/ClipRecords_win.h"

#include "clips/ClipKinds_win.h"
#include "common/Failure.h"

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

std::unique_ptr<TClip> ClipOfArchive(archive::ArchivedClip& archived) {
    std::unique_ptr<TClip> clip = NewClipNamed(archived.ClassName);
    if (!clip) throw common::Failure("存档中的剪辑无法读取.");
    clip->ReadArchive(archived);
    return clip;
}

}  // namespace clips
