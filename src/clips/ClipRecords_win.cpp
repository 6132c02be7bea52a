#include "clips/ClipRecords_win.h"

#include "clips/ClipKinds_win.h"
#include "common/Win32Error_win.h"

namespace clips {

std::optional<personal::ClipRecord> RecordOfClip(const TClip& clip) {
    if (!clip.KeptInPersonalHistory()) return std::nullopt;
    personal::ClipRecord record;
    clip.WriteRecord(record);
    return record;
}

std::unique_ptr<TClip> ClipOfRecord(personal::ClipRecord& record, std::string& error) {
    std::unique_ptr<TClip> clip = NewClipNamed(personal::ClipClassName(record.Class));
    try {
        clip->ReadRecord(record);
    } catch (const common::Win32Error& problem) {
        error = problem.what();
        return nullptr;
    }
    return clip;
}

}  // namespace clips
