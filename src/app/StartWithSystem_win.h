#pragma once
// Start with the system: the value "Pellacor" under the per-user Run key.
#include <string>

namespace app {

extern const wchar_t* const kRunKey;   // Software\Microsoft\Windows\CurrentVersion\Run under HKEY_CURRENT_USER
extern const wchar_t* const kRunValue; // "Pellacor"

// The value is there, whatever it holds.
bool StartsWithSystem();
// Writes the executable's path in double quotes (the system would run an
// unquoted path with blanks as its first word that exists), or deletes the
// value. Throws common::Win32Error with the registry's code when it can't.
void SetStartWithSystem(bool on);
// What the value holds for the running executable.
std::string StartCommand();

}  // namespace app
