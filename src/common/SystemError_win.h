#pragma once
// A failed platform call as an exception that keeps the platform's error code,
// so whoever catches it can show the system's own text for it.
#include <windows.h>

#include <system_error>

namespace common {

// Some calls (GDI above all) fail without setting a last error; `fallback`
// then stands in, so the message never reads "the operation completed".
[[noreturn]] inline void ThrowLastError(const char* what, DWORD fallback = ERROR_NOT_ENOUGH_MEMORY) {
    DWORD code = GetLastError();
    throw std::system_error(static_cast<int>(code != 0 ? code : fallback), std::system_category(), what);
}

}  // namespace common
