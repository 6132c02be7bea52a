#pragma once
// Shared pieces of the Windows tests: a scratch folder, a recorder that
// answers message boxes instead of a person, a closer for menus, hidden
// windows that play the program or "another program", and direct use of the
// real clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "common/MessageBox_win.h"
#include "common/Report_win.h"
#include "common/Settings.h"
#include "common/Wide_win.h"
#include "toolkit/Handles_win.h"
#include "toolkit/Window_win.h"

namespace testing_support {

// A new empty folder under the temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // With a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

struct RecordedBox {
    std::string text, title;
    UINT flags;
    bool operator==(const RecordedBox&) const = default;
};
inline void PrintTo(const RecordedBox& box, std::ostream* out) {
    *out << '"' << box.title << "\" \"" << box.text << "\" " << std::hex << box.flags;
}

// Records every message box shown while it lives and answers with `answer`.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;
    std::vector<RecordedBox> boxes;

private:
    common::MessageBoxHandler previous_;
};

// Watches the menus that open on this thread and closes each one shortly
// after it opened, so a modal menu loop never waits for a person.
class MenuCloser {
public:
    MenuCloser();
    ~MenuCloser();
    MenuCloser(const MenuCloser&) = delete;
    MenuCloser& operator=(const MenuCloser&) = delete;
    // The menus that were opened (WM_INITMENUPOPUP), in order.
    std::vector<HMENU> opened;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    HHOOK hook_;
    UINT_PTR timer_;
};

// Runs `steps` one after another from a timer of this thread, so a test can act
// inside a modal loop (a menu, a dialog) that the code under test runs. A step
// that returns false is tried again at the next tick. Steps post clicks (Click)
// rather than send them, so that a dialog a click opens runs its own loop, where
// the next step finds it. After `timeoutMs` every dialog and menu left is
// closed, so a failing test never hangs.
class TimedSteps {
public:
    using Step = std::function<bool()>;
    explicit TimedSteps(std::vector<Step> steps, UINT intervalMs = 20, DWORD timeoutMs = 15000);
    ~TimedSteps();
    TimedSteps(const TimedSteps&) = delete;
    TimedSteps& operator=(const TimedSteps&) = delete;
    // Every step ran.
    bool Done() const { return next_ == steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<Step> steps_;
    size_t next_ = 0;
    DWORD deadline_;
    UINT_PTR timer_;
};

// The visible, enabled dialog window ("#32770") of this thread, or null.
HWND OpenDialog();
// A step that waits for the open dialog titled `title` and then runs `act`.
TimedSteps::Step OnDialog(const std::string& title, std::function<void(HWND dialog)> act);
// Presses a button as a click would, once the current message is done.
void Click(HWND button);
// Checks or clears a check box; its dialog hears BN_CLICKED as after a click.
void SetCheck(HWND box, bool on);
// Replaces the text of an edit as typing would (the edit can undo it).
void Type(HWND edit, const std::string& text);

// True when nobody holds the combination (we can take it for a moment).
bool HotKeyFree(UINT modifiers, UINT key);

// Dispatches this thread's messages for `ms` milliseconds. Only for what must
// not happen: everything else waits for its condition (PumpUntil).
void PumpMessages(DWORD ms);
// Dispatches this thread's messages until `done` holds (true) or `timeoutMs`
// has passed (false). `done` is checked first and after every wake, so a
// condition that holds costs no wait at all.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// PumpUntil for an assertion: EXPECT_TRUE(WaitedFor("the clip captured", ...))
// fails saying what never came.
::testing::AssertionResult WaitedFor(const std::string& what, const std::function<bool()>& done,
                                     DWORD timeoutMs = 5000);
// Dispatches the messages waiting for this thread, and those they post, until
// none is left: enough for what only this thread's windows do.
void PumpPending();

// A new folder whose settings file leaves the hot key alone and holds `lines`
// (by default: watching off too).
struct QuietFolder : TempFolder {
    explicit QuietFolder(const std::string& lines = "MonitorClipboard=0\r\n") {
        WriteWholeFile(File("Pellacor.ini"), "[Configuration]\r\nHotKeyOn=0\r\n" + lines);
    }
};

// Points GetTempPathA at `folder` while it lives.
class TemporaryFolderSetTo {
public:
    explicit TemporaryFolderSetTo(const std::string& folder);
    ~TemporaryFolderSetTo();
    TemporaryFolderSetTo(const TemporaryFolderSetTo&) = delete;
    TemporaryFolderSetTo& operator=(const TemporaryFolderSetTo&) = delete;

private:
    std::string previous_;
};

class HiddenWindow : public toolkit::Window {
public:
    explicit HiddenWindow(const char* title = "Test", HWND owner = nullptr) {
        CreateHandle(WS_EX_TOOLWINDOW, WS_POPUP, owner, title);
    }
};

// A well-behaved viewer of the test's own in the clipboard viewer chain: it
// counts the changes that reach it and passes everything on.
class TestViewer : public toolkit::Window {
public:
    TestViewer() { CreateHandle(WS_EX_TOOLWINDOW, WS_POPUP, nullptr, "TestViewer"); }
    ~TestViewer() override { Leave(); }
    void Join();
    void Leave();
    HWND next = nullptr;
    bool joined = false;
    int draws = 0;
    std::vector<std::pair<HWND, HWND>> chainChanges;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// Another process copies `count` texts "<label> <n>" (n from 0) about a
// millisecond apart, as a script or a password manager may; returns it
// running (null when it could not start). It keeps the clipboard's owner
// until EndCopyBurst (at most 10 s), so the last copy can still be read.
toolkit::UniqueKernelHandle StartCopyBurst(const std::string& label, int count);
void EndCopyBurst(const std::string& label);
// Its side (windows_tests.exe --copy-burst LABEL COUNT).
int CopyBurst(const char* label, int count);
// Writes the texts of every visible dialog box (its title, then each control's
// text, one a line) to `path` in UTF-16LE, as the platform holds them; for the
// desktop tests (windows_tests.exe --dialog-texts PATH). Returns 0 when one was found.
int WriteDialogTexts(const char* path);
// Fills the archive in FOLDER with months of realistic copies, as the program
// keeps them (windows_tests.exe --fill-archive FOLDER), for the README's picture.
int FillArchive(const char* folder);
// The same for the names of the clipboard's CF_HDROP (windows_tests.exe --clipboard-files PATH).
int WriteClipboardFiles(const char* path);

// A movable block of `allocated` bytes (default: `size`, at least 1) that
// begins with `bytes`; the rest is 0xEE so nobody can count on zeros.
HGLOBAL Block(const void* bytes, size_t size, size_t allocated = 0);
inline HGLOBAL Block(const std::string& bytes) { return Block(bytes.data(), bytes.size()); }

// A format and its data, handed to the clipboard.
struct Format {
    UINT id;
    HANDLE data;
};
// A text format with its terminating zero.
inline Format Text(UINT format, const std::string& text) { return {format, Block(text.c_str(), text.size() + 1)}; }
// CF_UNICODETEXT holding the UTF-16 form of `utf8` and its zero, as Unicode programs copy.
inline Format UnicodeText(const std::string& utf8) {
    std::wstring wide = common::Wide(utf8);
    return {CF_UNICODETEXT, Block(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t))};
}

// Empties the clipboard as `owner` and puts each format on it.
bool PutOnClipboard(HWND owner, const std::vector<Format>& formats);
// All the bytes of `format`'s block, read with `reader`'s window.
std::vector<uint8_t> ClipboardBytes(HWND reader, UINT format);
// Another thread can open the clipboard: nobody holds it.
bool ClipboardIsFree();

}  // namespace testing_support
