#include "clipboard/ClipboardOwner_win.h"

#include <tlhelp32.h>

#include <optional>
#include <string_view>

#include "clipboard/IgnoredPrograms.h"
#include "common/Settings.h"
#include "common/Text.h"
#include "toolkit/Handles_win.h"

namespace clipboard {

HWND ClipboardOwnerWindow = nullptr;
UINT RichTextFormat = RegisterClipboardFormatA("Rich Text Format");
UINT HTMLFormat = RegisterClipboardFormatA("HTML Format");

const char* const kUnavailable = "不可用";

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

bool OwnerIsIgnoredProgram(HWND owner) {
    const std::string& ignored = common::settings().IgnoredPrograms;
    return !common::IsBlank(ignored) && IsIgnoredProgram(ClipboardOwnerName(owner), ignored);
}

}  // namespace clipboard
