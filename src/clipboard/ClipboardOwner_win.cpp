#include "clipboard/ClipboardOwner_win.h"

#include <tlhelp32.h>

#include <optional>
#include <string_view>

#include "clipboard/IgnoredPrograms.h"
#include "common/Text.h"
#include "common/Wide_win.h"
#include "toolkit/Handles_win.h"

namespace clipboard {

HWND ClipboardOwnerWindow = nullptr;
UINT RichTextFormat = RegisterClipboardFormatW(L"Rich Text Format");
UINT HTMLFormat = RegisterClipboardFormatW(L"HTML Format");

const char* const kUnavailable = "不可用";

namespace {

// The image file name of a process, asked of the process itself: much cheaper
// than walking a snapshot of every process.
std::optional<std::string> ImageFileName(DWORD pid) {
    toolkit::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return std::nullopt;
    wchar_t path[MAX_PATH * 2];
    DWORD length = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process.get(), 0, path, &length)) return std::nullopt;
    std::string name(common::FileNamePart(common::Utf8(std::wstring_view(path, length))));
    if (name.empty()) return std::nullopt;
    return name;
}

// The executable name from the ToolHelp process snapshot (processes we may not open).
std::string SnapshotFileName(DWORD pid) {
    toolkit::UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return kUnavailable;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == pid) {
            entry.szExeFile[MAX_PATH - 1] = L'\0';
            return common::Utf8(entry.szExeFile);
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

bool IsExcludedProgram(const std::string& program, const std::string& ignored) {
    return !common::IsBlank(ignored) && IsIgnoredProgram(program, ignored);
}

namespace {
struct NotedSource {
    DWORD sequence = 0;
    std::string program;
};
NotedSource noted;
}  // namespace

void NoteClipboardSource() {
    HWND owner = GetClipboardOwner();
    if (owner && owner == ClipboardOwnerWindow) return;  // our own write
    if (!owner || !IsWindow(owner)) owner = GetForegroundWindow();
    noted = {GetClipboardSequenceNumber(), ClipboardOwnerName(owner)};
}

std::string ClipboardSourceOf(HWND owner, DWORD sequence) {
    if (owner && IsWindow(owner)) return ClipboardOwnerName(owner);
    if (sequence != 0 && noted.sequence == sequence) return noted.program;
    return kUnavailable;
}

}  // namespace clipboard
