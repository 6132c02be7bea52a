#include "clips/Clip_win.h"

#include "clipboard/ClipboardOwner_win.h"
#include "clips/CapturedAt.h"
#include "common/Wide_win.h"

namespace clips {

void TClip::StampCapture() {
    // A capture names the program it read the clipboard from while it held it.
    if (Source.empty()) Source = clipboard::ClipboardOwnerName();
    SYSTEMTIME now;
    GetLocalTime(&now);
    CapturedAt = FormatCapturedAt(now);
}

std::string FormatCapturedAt(const SYSTEMTIME& time) {
    wchar_t weekday[80] = {}, month[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &time, L"dddd", weekday, 80);
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &time, L"MMMM", month, 80);
    return ComposeCapturedAt(common::Utf8(weekday), time.wDay, common::Utf8(month), time.wYear, time.wHour,
                             time.wMinute, time.wSecond);
}

}  // namespace clips
