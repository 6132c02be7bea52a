#pragma once
// The failure of the Win32 boundary (see common/Failure.h). It keeps the
// platform's error code when there is one (its text is the system's own), or
// a text of ours when the platform gives none.
#include <windows.h>

#include <string>

#include "common/Failure.h"

namespace common {

class Win32Error : public Failure {
public:
    explicit Win32Error(DWORD code);
    explicit Win32Error(const std::string& text) : Failure(text) {}
    // 0 for an error that carries our own text.
    DWORD Code() const noexcept { return code_; }

private:
    DWORD code_ = 0;
};

// The system's text for `code`, without the line break it ends with.
std::string SystemErrorText(DWORD code);

// Some calls (GDI above all) fail without setting a last error; `fallback`
// then stands in, so the message never reads "the operation completed".
[[noreturn]] void ThrowLastError(DWORD fallback = ERROR_NOT_ENOUGH_MEMORY);

}  // namespace common
