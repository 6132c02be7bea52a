#pragma once
// Shared pieces of the Windows tests: a scratch folder, a recorder that
// answers message boxes instead of a person, and a window that plays
// "another program".
#include <windows.h>

#include <string>
#include <vector>

#include "common/MessageBox_win.h"

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

struct RecordedBox {
    std::string text, title;
    UINT flags;
};

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

}  // namespace testing_support

namespace testing_support {

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

// Dispatches this thread's messages for `ms` milliseconds.
void PumpMessages(DWORD ms);

}  // namespace testing_support
