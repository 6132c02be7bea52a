#include "clips/Clip_win.h"

#include "clipboard/ClipboardOwner_win.h"
#include "clips/CapturedAt.h"
#include "common/Text.h"
#include "toolkit/Handles_win.h"

namespace clips {

void TClip::StampAndAppend(toolkit::MenuItem& menu, int kind, ClickHandler action) {
    // A capture names the program it read the clipboard from while it held it.
    if (Source.empty()) Source = clipboard::ClipboardOwnerName();
    SYSTEMTIME now;
    GetLocalTime(&now);
    CapturedAt = FormatCapturedAt(now);
    SetImageIndex(kind);
    OnClick = std::move(action);
    // The menu owns its items; the caller's pointer stays valid.
    menu.Add(std::unique_ptr<toolkit::MenuItem>(this));
    SetDefault(true);
}

void TClip::InsertLoaded(toolkit::MenuItem& menu, int position, ClickHandler action) {
    if (Default()) SetDefault(false);
    OnClick = std::move(action);
    menu.Insert(position, std::unique_ptr<toolkit::MenuItem>(this));
}

std::string FormatCapturedAt(const SYSTEMTIME& time) {
    char weekday[80] = {}, month[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "dddd", weekday, sizeof(weekday));
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "MMMM", month, sizeof(month));
    return ComposeCapturedAt(weekday, time.wDay, month, time.wYear, time.wHour, time.wMinute, time.wSecond);
}

}  // namespace clips
