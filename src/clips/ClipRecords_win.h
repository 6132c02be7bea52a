#pragma once
// Clips become personal-history records and back; each kind fills and reads
// its own fields.
#include <memory>
#include <optional>
#include <string>

#include "clips/Clip_win.h"
#include "archive/ArchivedClip.h"
#include "personal/PersonalRecord.h"

namespace clips {

// The record of a clip that can be kept in the personal history; nothing for
// a sound clip, which never is. `onClipboard` is stored as the record's
// default mark. Throws when a picture cannot be encoded.
std::optional<personal::ClipRecord> RecordOfClip(const TClip& clip, bool onClipboard);

// A new clip (in no history yet) from a record, whose texts it takes
// over. Throws common::Failure (toolkit::BmpError) when the record's picture
// is not a readable BMP image.
std::unique_ptr<TClip> ClipOfRecord(personal::ClipRecord& record);

// A new clip (in no history yet) from its archived form, which it takes over.
// Throws common::Failure for a class no kind has or data it cannot read.
std::unique_ptr<TClip> ClipOfArchive(archive::ArchivedClip& archived);

}  // namespace clips
