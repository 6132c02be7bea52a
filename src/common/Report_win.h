#pragma once
// The one routine that tells the user of failures and problems, and the one
// place that chooses the title: "PELLACOR : 错误 " with the error icon when
// something failed, "PELLACOR: 警告   " with the warning icon when the program
// only had to make do (a setting replaced by its default, clips saved beside
// a file). Every box goes to the application's window (SetMessageOwner).
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace common {

enum class Severity { Warning, Error };

struct Problem {
    std::string Text;
    Severity Kind = Severity::Error;
    bool operator==(const Problem&) const = default;
};

// What the user is told of a failure: the system's text for a platform code,
// a Failure's own text, and a text of ours for anything else (a library's
// English never reaches a box).
Problem ProblemOf(const std::exception& failure);
// The same for the exception being handled; only inside a catch block.
Problem CurrentProblem() noexcept;

// Shows the problems in one box, one paragraph each, under the error title
// when any of them is an error; nothing when there are none.
void Report(const std::vector<Problem>& problems) noexcept;
void Report(const Problem& problem) noexcept;
void Report(const std::exception& failure) noexcept;

// Runs a command: a failure is reported at once, and the program goes on.
// Returns whether it went through.
bool RunReported(const std::function<void()>& body) noexcept;
// Runs one of several steps whose failures are reported together: a failure
// is added to `problems`. Returns whether it went through.
bool RunCollecting(const std::function<void()>& body, std::vector<Problem>& problems) noexcept;

// The platform's last error, reported as above.
void ShowLastError() noexcept;

extern const char* const kErrorTitle;    // "PELLACOR : 错误 "
extern const char* const kWarningTitle;  // "PELLACOR: 警告   "

}  // namespace common
