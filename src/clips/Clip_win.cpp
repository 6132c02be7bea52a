#include "clips/Clip_win.h"

#include "clipboard/ClipboardOwner_win.h"
#include "clips/CapturedAt.h"
#include "common/Wide_win.h"
#include "personal/PersonalRecord.h"

namespace clips {

void TClip::StampCapture() {
    // A capture names the program it read the clipboard from while it held it.
    if (Source.empty()) Source = clipboard::ClipboardOwnerName();
    SYSTEMTIME now;
    GetLocalTime(&now);
    CapturedAt = FormatCapturedAt(now);
}

ClipCommands TClip::Commands() const {
    ClipCommands commands;
    commands.keptInPersonalHistory = KeptInPersonalHistory();
    commands.copiesAsPlainText = PlainTextCopy() != nullptr;
    return commands;
}

bool TClip::KeptInPersonalHistory() const { return personal::ClipClassFromName(ClassName()).has_value(); }

void TClip::WriteRecord(personal::ClipRecord& record) const {
    record.Class = personal::ClipClassFromName(ClassName()).value();
    record.Tag = static_cast<int32_t>(Tag);
    record.Caption = Caption();
    record.Default = Default();
    record.ImageIndex = ImageIndex();
    record.CapturedAt = CapturedAt;
    record.Source = Source;
}

void TClip::ReadRecord(personal::ClipRecord& record) {
    Tag = record.Tag;
    SetCaption(std::move(record.Caption));
    SetDefault(record.Default);
    SetImageIndex(record.ImageIndex);
    CapturedAt = std::move(record.CapturedAt);
    Source = std::move(record.Source);
}

std::string FormatCapturedAt(const SYSTEMTIME& time) {
    wchar_t weekday[80] = {}, month[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &time, L"dddd", weekday, 80);
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &time, L"MMMM", month, 80);
    return ComposeCapturedAt(common::Utf8(weekday), time.wDay, common::Utf8(month), time.wYear, time.wHour,
                             time.wMinute, time.wSecond);
}

}  // namespace clips
