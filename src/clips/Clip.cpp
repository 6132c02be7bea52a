#include "clips/Clip.h"

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

}  // namespace clips
