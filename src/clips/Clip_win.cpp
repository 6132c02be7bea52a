#include "clips/Clip_win.h"

#include <tlhelp32.h>

#include <optional>

#include "clips/CapturedAt.h"
#include "common/Text.h"
#include "toolkit/Handles_win.h"

namespace clips {

HWND ClipboardOwnerWindow = nullptr;
UINT RichTextFormat = RegisterClipboardFormatA("Rich Text Format");
UINT HTMLFormat = RegisterClipboardFormatA("HTML Format");

const char* const kUnavailable = "不可用";

void TClip::StampAndAppend(toolkit::MenuItem& menu, int kind, ClickHandler action) {
    // A capture names the program it read the clipboard from while it held it.
    if (Source.empty()) Source = ClipboardOwnerName();
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

namespace {

// The image file name of a process, asked of the process itself: much cheaper
// than walking a snapshot of every process.
std::optional<std::string> ImageFileName(DWORD pid) {
    toolkit::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return std::nullopt;
    char path[MAX_PATH * 2];
    DWORD length = sizeof(path);
    if (!QueryFullProcessImageNameA(process.get(), 0, path, &length)) return std::nullopt;
    std::string_view name = common::FileNamePart(std::string_view(path, length));
    if (name.empty()) return std::nullopt;
    return std::string(name);
}

// The executable name from the ToolHelp process snapshot (processes we may not open).
std::string SnapshotFileName(DWORD pid) {
    toolkit::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return kUnavailable;
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

}  // namespace

std::string ClipboardOwnerName() { return ClipboardOwnerName(GetClipboardOwner()); }

std::string ClipboardOwnerName(HWND owner) {
    if (!owner) return kUnavailable;
    DWORD pid = 0;
    if (!GetWindowThreadProcessId(owner, &pid) || pid == 0) return kUnavailable;
    // Copies often come from the same window: its process is asked once. A
    // window handle names one window of one process for the window's life.
    static HWND lastOwner = nullptr;
    static DWORD lastPid = 0;
    static std::string lastName;
    if (owner == lastOwner && pid == lastPid) return lastName;
    std::optional<std::string> name = ImageFileName(pid);
    lastName = name ? *name : SnapshotFileName(pid);
    lastOwner = owner;
    lastPid = pid;
    return lastName;
}

std::string FormatCapturedAt(const SYSTEMTIME& time) {
    char weekday[80] = {}, month[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "dddd", weekday, sizeof(weekday));
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "MMMM", month, sizeof(month));
    return ComposeCapturedAt(weekday, time.wDay, month, time.wYear, time.wHour, time.wMinute, time.wSecond);
}

}  // namespace clips
