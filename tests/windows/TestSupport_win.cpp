#include "TestSupport_win.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "toolkit/Dialog_win.h"

namespace testing_support {
TempFolder::TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    do {
        path_ = std::string(base) + "pellacor-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter) + "\\";
    } while (!CreateDirectoryA(path_.c_str(), nullptr));
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

HGLOBAL Block(const void* bytes, size_t size, size_t allocated) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::max({allocated, size, size_t{1}}));
    toolkit::GlobalLockGuard lock(block);
    std::memset(lock.data(), 0xEE, lock.size());
    std::memcpy(lock.data(), bytes, size);
    return block;
}

bool PutOnClipboard(HWND owner, const std::vector<Format>& formats) {
    toolkit::ClipboardSession session(owner);
    if (!session) return false;
    EmptyClipboard();
    return std::all_of(formats.begin(), formats.end(), [](const Format& f) { return SetClipboardData(f.id, f.data); });
}

std::vector<uint8_t> ClipboardBytes(HWND reader, UINT format) {
    toolkit::ClipboardSession session(reader);
    toolkit::GlobalLockGuard lock(session ? GetClipboardData(format) : nullptr);
    if (!lock) return {};
    auto* bytes = static_cast<const uint8_t*>(lock.data());
    return {bytes, bytes + lock.size()};
}

bool ClipboardIsFree() {
    bool free = false;
    std::thread([&] {
        if (OpenClipboard(nullptr)) {
            free = true;
            CloseClipboard();
        }
    }).join();
    return free;
}

MessageBoxRecorder::MessageBoxRecorder(int answer) {
    previous_ = common::SetMessageBoxHandler([this, answer](HWND, const std::string& text, const std::string& title,
                                                            UINT flags) {
        boxes.push_back({text, title, flags});
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() { common::SetMessageBoxHandler(std::move(previous_)); }

namespace {
MenuCloser* g_closer = nullptr;
}

MenuCloser::MenuCloser() {
    g_closer = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &MenuCloser::Hook, nullptr, GetCurrentThreadId());
    timer_ = SetTimer(nullptr, 0, 100, &MenuCloser::Tick);
}

MenuCloser::~MenuCloser() {
    KillTimer(nullptr, timer_);
    UnhookWindowsHookEx(hook_);
    g_closer = nullptr;
}

LRESULT CALLBACK MenuCloser::Hook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_closer && msg->message == WM_INITMENUPOPUP)
        g_closer->opened.push_back(reinterpret_cast<HMENU>(msg->wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK MenuCloser::Tick(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

namespace {
TimedSteps* g_steps = nullptr;  // one script at a time

bool IsDialog(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    return std::string(name) == "#32770";
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    if (IsDialog(window)) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}
}  // namespace

TimedSteps::TimedSteps(std::vector<Step> steps, UINT intervalMs, DWORD timeoutMs)
    : steps_(std::move(steps)), deadline_(GetTickCount() + timeoutMs) {
    g_steps = this;
    timer_ = SetTimer(nullptr, 0, intervalMs, &TimedSteps::Tick);
}

TimedSteps::~TimedSteps() {
    KillTimer(nullptr, timer_);
    g_steps = nullptr;
}

void CALLBACK TimedSteps::Tick(HWND, UINT, UINT_PTR, DWORD) {
    TimedSteps* self = g_steps;
    // A step may run a modal loop of its own, in which this timer ticks again.
    static bool running = false;
    if (!self || self->Done() || running) return;
    if (static_cast<LONG>(GetTickCount() - self->deadline_) > 0) {
        EnumThreadWindows(GetCurrentThreadId(), &CancelDialog, 0);
        EndMenu();
        return;
    }
    running = true;
    if (self->steps_[self->next_]()) ++self->next_;
    running = false;
}

HWND OpenDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            if (!IsDialog(window) || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TimedSteps::Step OnDialog(const std::string& title, std::function<void(HWND dialog)> act) {
    return [title, act = std::move(act)] {
        HWND dialog = OpenDialog();
        if (!dialog || toolkit::WindowText(dialog) != title) return false;
        act(dialog);
        return true;
    };
}

TemporaryFolderSetTo::TemporaryFolderSetTo(const std::string& folder) {
    char value[MAX_PATH] = {};
    previous_.assign(value, GetEnvironmentVariableA("TMP", value, sizeof(value)));
    SetEnvironmentVariableA("TMP", folder.c_str());
}

TemporaryFolderSetTo::~TemporaryFolderSetTo() {
    SetEnvironmentVariableA("TMP", previous_.empty() ? nullptr : previous_.c_str());
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void SetCheck(HWND box, bool on) {
    SendMessageA(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), BN_CLICKED), reinterpret_cast<LPARAM>(box));
}

void Type(HWND edit, const std::string& text) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(common::Wide(text).c_str()));
}

bool HotKeyFree(UINT modifiers, UINT key) {
    HiddenWindow probe;
    if (!RegisterHotKey(probe.Handle(), 0x7000, modifiers, key)) return false;
    UnregisterHotKey(probe.Handle(), 0x7000);
    return true;
}

void PumpMessages(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs) return false;
        // Wakes at once for a message; the few milliseconds are for conditions
        // that another thread or process makes true without telling us.
        MsgWaitForMultipleObjectsEx(0, nullptr, std::min<DWORD>(5, timeoutMs - waited), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
        PumpPending();
    }
}

::testing::AssertionResult WaitedFor(const std::string& what, const std::function<bool()>& done, DWORD timeoutMs) {
    if (PumpUntil(done, timeoutMs)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "waited " << timeoutMs << " ms for " << what;
}

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void TestViewer::Join() {
    joined = true;
    next = SetClipboardViewer(Handle());
}

void TestViewer::Leave() {
    if (joined) ChangeClipboardChain(Handle(), next);
    joined = false;
}

LRESULT TestViewer::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DRAWCLIPBOARD) {
        ++draws;
        if (next) SendMessageA(next, msg, wParam, lParam);
        return 0;
    }
    if (msg == WM_CHANGECBCHAIN) {
        chainChanges.emplace_back(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        if (reinterpret_cast<HWND>(wParam) == next) next = reinterpret_cast<HWND>(lParam);
        else if (next) SendMessageA(next, msg, wParam, lParam);
        return 0;
    }
    return DefaultProc(msg, wParam, lParam);
}

toolkit::UniqueKernelHandle StartCopyBurst(const std::string& label, int count) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --copy-burst \"" + label + "\" " + std::to_string(count);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return {};
    CloseHandle(process.hThread);
    return toolkit::UniqueKernelHandle(process.hProcess);
}

namespace {
std::string CopyBurstEndName(const std::string& label) { return "PellacorCopyBurstEnd " + label; }
}  // namespace

void EndCopyBurst(const std::string& label) {
    toolkit::UniqueKernelHandle end(OpenEventA(EVENT_MODIFY_STATE, FALSE, CopyBurstEndName(label).c_str()));
    if (end) SetEvent(end.get());
}

int CopyBurst(const char* label, int count) {
    toolkit::UniqueKernelHandle end(CreateEventA(nullptr, TRUE, FALSE, CopyBurstEndName(label).c_str()));
    HiddenWindow window("Copier");
    for (int i = 0; i < count; ++i) {
        while (!OpenClipboard(window.Handle())) Sleep(0);
        EmptyClipboard();
        SetClipboardData(CF_TEXT, Text(CF_TEXT, std::string(label) + " " + std::to_string(i)).data);
        CloseClipboard();
        Sleep(1);
    }
    // The owner stays while the last copy is read.
    PumpUntil([&] { return WaitForSingleObject(end.get(), 0) == WAIT_OBJECT_0; }, 10000);
    return 0;
}

namespace {
BOOL CALLBACK CollectText(HWND window, LPARAM into) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    reinterpret_cast<std::wstring*>(into)->append(text).append(L"\n");
    return TRUE;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM into) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (!IsWindowVisible(window) || lstrcmpW(name, L"#32770") != 0) return TRUE;
    CollectText(window, into);
    EnumChildWindows(window, &CollectText, into);
    return TRUE;
}

int WriteLines(const char* path, const std::wstring& lines) {
    toolkit::UniqueFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), lines.data(), static_cast<DWORD>(lines.size() * sizeof(wchar_t)), &written, nullptr))
        return 2;
    return lines.empty() ? 1 : 0;
}
}  // namespace

int WriteDialogTexts(const char* path) {
    std::wstring texts;
    EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&texts));
    return WriteLines(path, texts);
}

int WriteClipboardFiles(const char* path) {
    std::wstring names;
    {
        toolkit::ClipboardSession clipboard(nullptr);
        auto drop = static_cast<HDROP>(clipboard ? GetClipboardData(CF_HDROP) : nullptr);
        for (UINT i = 0; drop && i < DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); ++i) {
            std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
            name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
            names.append(name).append(L"\n");
        }
    }
    return WriteLines(path, names);
}

}  // namespace testing_support
