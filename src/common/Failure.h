#pragma once
// The one way the program fails: a routine that cannot do its work throws a
// Failure whose text, in the program's own Chinese, says what
// went wrong; the Win32 boundary throws its subclass common::Win32Error, which
// keeps the platform's error code. Nothing else reaches the user: the report
// routine (Report_win.h) turns any other exception into a text of ours.
#include <stdexcept>
#include <string>

namespace common {

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace common
