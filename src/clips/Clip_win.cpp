#include "clips/Clip_win.h"

#include <tlhelp32.h>

#include "clips/CapturedAt.h"
#include "toolkit/Handles_win.h"

namespace clips {

HWND ClipboardOwnerWindow = nullptr;
UINT RichTextFormat = RegisterClipboardFormatA("Rich Text Format");
UINT HTMLFormat = RegisterClipboardFormatA("HTML Format");

const char* const kUnavailable = "不可用";

void TClip::StampAndAppend(toolkit::MenuItem& menu, int kind, ClickHandler action) {
    Source = ClipboardOwnerName();
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

std::string ClipboardOwnerName() {
    HWND owner = GetClipboardOwner();
    if (!owner) return kUnavailable;
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    toolkit::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        return kUnavailable;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == pid) {
            entry.szExeFile[sizeof(entry.szExeFile) - 1] = '\0';
            return entry.szExeFile;
        }
    }
    return kUnavailable;
}

std::string FormatCapturedAt(const SYSTEMTIME& time) {
    char weekday[80] = {}, month[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "dddd", weekday, sizeof(weekday));
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "MMMM", month, sizeof(month));
    return ComposeCapturedAt(weekday, time.wDay, month, time.wYear, time.wHour, time.wMinute, time.wSecond);
}

}  // namespace clips
