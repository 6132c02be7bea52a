#include "app/StartWithSystem_win.h"

#include <windows.h>

#include "app/SettingsFile_win.h"
#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "toolkit/Handles_win.h"

namespace app {

const wchar_t* const kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t* const kRunValue = L"Pellacor";

namespace {
toolkit::UniqueRegKey OpenRunKey(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, access, &key) != ERROR_SUCCESS) key = nullptr;
    return toolkit::UniqueRegKey(key);
}
}  // namespace

std::string StartCommand() {
    std::string command(1, '"');
    command += ExecutablePath();
    command += '"';
    return command;
}

bool StartsWithSystem() {
    toolkit::UniqueRegKey key = OpenRunKey(KEY_QUERY_VALUE);
    return key && RegQueryValueExW(key.get(), kRunValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

namespace {
// The registry returns its error code instead of setting the last error.
void Check(LSTATUS status) {
    if (status != ERROR_SUCCESS) throw common::Win32Error(static_cast<DWORD>(status));
}
}  // namespace

void SetStartWithSystem(bool on) {
    if (!on) {
        HKEY opened = nullptr;
        LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &opened);
        if (status == ERROR_FILE_NOT_FOUND) return;  // no Run key: nothing starts with the system
        Check(status);
        toolkit::UniqueRegKey key(opened);
        status = RegDeleteValueW(key.get(), kRunValue);
        if (status != ERROR_FILE_NOT_FOUND) Check(status);  // a value that is not there is gone already
        return;
    }
    HKEY created = nullptr;
    Check(RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                          &created, nullptr));
    toolkit::UniqueRegKey key(created);
    std::wstring command = common::Wide(StartCommand());
    Check(RegSetValueExW(key.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))));
}

}  // namespace app
