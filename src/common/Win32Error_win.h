#pragma once
// The failure of a platform call that gave an error code (see
// common/Failure.h). Its text is the system's own for the code, with the code
// itself, so the user (and whoever the user asks) can tell one cause from
// another; a failure of ours without such a code is a plain Failure.
#include <windows.h>

#include <string>
#include <string_view>

#include "common/Failure.h"

namespace common {

class Win32Error : public Failure {
public:
    explicit Win32Error(DWORD code);
    // `doing` says in our words what could not be done; the system's text follows on the next line.
    Win32Error(DWORD code, std::string_view doing);
    DWORD Code() const noexcept { return code_; }

private:
    DWORD code_;
};

// The system's text for `code`, without the line break it ends with, and the
// code: "拒绝访问。 (错误代码 5)".
std::string SystemErrorText(DWORD code);

// Some calls (GDI above all) fail without setting a last error; `fallback`
// then stands in, so the message never reads "the operation completed".
[[noreturn]] void ThrowLastError(DWORD fallback = ERROR_NOT_ENOUGH_MEMORY);
// For a call whose failure has no likely cause to stand in: the last error
// when there is one, otherwise a Failure saying that the system gave no
// reason. `doing`, when given, says first what could not be done.
[[noreturn]] void ThrowLastErrorOrNoReason(std::string_view doing = {});

}  // namespace common
