#pragma once
// Every message box of the program goes through ShowMessageBox, so that a test
// can record what would be shown and give the answer instead of a person.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace common {

using MessageBoxHandler =
    std::function<int(HWND owner, const std::string& text, const std::string& title, UINT flags)>;

int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT flags);

// Replaces the routine that shows message boxes; an empty handler restores MessageBoxA.
// Returns the handler that was in place.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The window that owns the program's error boxes (the application window).
void SetMessageOwner(HWND owner);
HWND MessageOwner();

// Shows the platform's text for GetLastError with the title "PELLACOR : 错误 ".
void ShowLastError();
// The same for an error code already taken.
void ShowSystemError(DWORD code);
// Shows a failure of the Win32 boundary (common::Win32Error) under the same title:
// the system's text for its code, or its own text.
void ShowError(const std::exception& error);

extern const char* const kErrorTitle;

}  // namespace common
