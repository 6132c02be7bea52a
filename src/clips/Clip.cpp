#include "clips/Clip.h"

#include "archive/ArchivedClip.h"
#include "common/Failure.h"
#include "personal/PersonalRecord.h"

namespace clips {

ClipCommands TClip::Commands() const {
    ClipCommands commands;
    commands.keptInPersonalHistory = KeptInPersonalHistory();
    commands.copiesAsPlainText = CopiesAsPlainText();
    return commands;
}

bool TClip::KeptInPersonalHistory() const { return personal::ClipClassFromName(ClassName()).has_value(); }

void TClip::WriteRecord(personal::ClipRecord& record) const {
    record.Class = personal::ClipClassFromName(ClassName()).value();
    record.Tag = UndoAvailable ? 1 : 0;
    record.Caption = Caption();
    record.ImageIndex = Kind();
    record.CapturedAt = CapturedAt;
    record.Source = Source;
}

void TClip::ReadRecord(personal::ClipRecord& record) {
    UndoAvailable = record.Tag == 1;  // the one value that means "undoable"
    SetCaption(std::move(record.Caption));
    SetKind(record.ImageIndex);
    CapturedAt = std::move(record.CapturedAt);
    Source = std::move(record.Source);
}

bool TClip::WriteArchive(archive::ArchivedClip& archived) const {
    WriteArchivedNames(archived);
    if (!KeptInPersonalHistory()) return false;
    personal::ClipRecord record;
    WriteRecord(record);
    // The names live beside the data: the same content copied again, at
    // another time, from another program, is the same data (the duplicate).
    record.Caption.clear();
    record.CapturedAt.clear();
    record.Source.clear();
    archived.Data.clear();
    personal::WriteRecord(record, archived.Data);
    return true;
}

void TClip::WriteArchivedNames(archive::ArchivedClip& archived) const {
    archived.ClassName = ClassName();
    archived.Kind = Kind();
    archived.Caption = Caption();
    archived.Source = Source;
    archived.CapturedAt = CapturedAt;
    archived.FoundBy = std::string(FoundBy());
}

void TClip::ReadArchive(archive::ArchivedClip& archived) {
    personal::PersonalReadResult read = personal::ReadPersonalRecords(archived.Data);
    if (read.Error || read.Records.size() != 1 ||
        personal::ClipClassName(read.Records.front().Class) != ClassName())
        throw common::Failure("存档中的剪辑无法读取.");
    read.Records.front().KeepBitmapBytes();
    ReadRecord(read.Records.front());
    ReadArchivedNames(archived);
}

void TClip::ReadArchivedNames(archive::ArchivedClip& archived) {
    // The archive's own fields hold what the clip was last named.
    SetCaption(std::move(archived.Caption));
    SetKind(archived.Kind);
    Source = std::move(archived.Source);
    CapturedAt = std::move(archived.CapturedAt);
    ArchiveId = archived.Id;
}

}  // namespace clips
