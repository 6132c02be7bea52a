#include "app/StartWithSystem_win.h"

#include <windows.h>

#include "app/SettingsFile_win.h"
#include "toolkit/Handles_win.h"

namespace app {

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kRunValue = "Pellacor";

namespace {
toolkit::UniqueRegKey OpenRunKey(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, access, &key) != ERROR_SUCCESS) key = nullptr;
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
    return key && RegQueryValueExA(key.get(), kRunValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void SetStartWithSystem(bool on) {
    if (!on) {
        if (toolkit::UniqueRegKey key = OpenRunKey(KEY_SET_VALUE)) RegDeleteValueA(key.get(), kRunValue);
        return;
    }
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS)
        return;
    toolkit::UniqueRegKey key(created);
    std::string command = StartCommand();
    RegSetValueExA(key.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
}

}  // namespace app
