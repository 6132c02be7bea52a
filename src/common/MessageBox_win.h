#pragma once
// Every message box of the program goes through ShowMessageBox, so that a test
// can record what would be shown and give the answer instead of a person.
// Failures and problems are told through common::Report (Report_win.h).
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace common {

using MessageBoxHandler =
    std::function<int(HWND owner, const std::string& text, const std::string& title, UINT flags)>;

int ShowMessageBox(HWND owner, std::string_view text, std::string_view title, UINT flags);

// Replaces the routine that shows message boxes; an empty handler restores MessageBoxW.
// Returns the handler that was in place.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The window that owns the program's error boxes (the application window).
void SetMessageOwner(HWND owner);
HWND MessageOwner();

}  // namespace common
