#pragma once
// The one routine that tells the user of failures and problems, and asks the
// user's yes-or-no questions. Every box takes its title from the one table
// (common/Report.h): a problem's own title when it is told alone, otherwise
// "PELLACOR : 错误 " with the error icon when something failed and
// "PELLACOR: 警告   " with the warning icon when the program only had to make
// do. Every box goes to the application's window (SetMessageOwner) unless a
// dialog owns it.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "common/MessageBox_win.h"
#include "common/Report.h"

namespace common {

// What the user is told of a failure: a Failure's own text (a Win32Error's
// holds the system's text with the platform's code), and a text of ours for
// anything else (a library's English never reaches a box).
Problem ProblemOf(const std::exception& failure);
// The same for the exception being handled; only inside a catch block.
Problem CurrentProblem() noexcept;

// Shows the problems in one box, one paragraph each, under the error title
// when any of them is an error; nothing when there are none.
void Report(const std::vector<Problem>& problems) noexcept;
void Report(const Problem& problem) noexcept;
void Report(const std::exception& failure) noexcept;
// The same box owned by `owner`: a dialog that must wait until it is closed.
void ReportTo(HWND owner, const Problem& problem) noexcept;

// Asks a yes-or-no question under `title`, No the default; true for Yes.
// `moreFlags` adds to the question's style (MB_SYSTEMMODAL, say).
bool Confirmed(const std::string& question, BoxTitle title, HWND owner = MessageOwner(), UINT moreFlags = 0);

// Runs a command: a failure is reported at once, and the program goes on.
// Returns whether it went through.
bool RunReported(const std::function<void()>& body) noexcept;
// Runs one of several steps whose failures are reported together: a failure
// is added to `problems`. Returns whether it went through.
bool RunCollecting(const std::function<void()>& body, std::vector<Problem>& problems) noexcept;

}  // namespace common
