#include "common/Report_win.h"

#include <new>
#include <stdexcept>

#include "common/MessageBox_win.h"
#include "common/Win32Error_win.h"

namespace common {

const char* const kErrorTitle = "PELLACOR : 错误 ";
const char* const kWarningTitle = "PELLACOR: 警告   ";

namespace {
// For what no code of ours threw: a library's or the language's own failure.
const char kInternalError[] = "程序内部出错, 这一步没有完成.";
}  // namespace

Problem ProblemOf(const std::exception& failure) {
    // A Win32Error with a code holds the system's text for it.
    if (dynamic_cast<const Failure*>(&failure)) return {failure.what()};
    if (dynamic_cast<const std::bad_alloc*>(&failure) || dynamic_cast<const std::length_error*>(&failure))
        return {SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)};
    return {kInternalError};
}

Problem CurrentProblem() noexcept {
    try {
        throw;
    } catch (const std::exception& failure) {
        try {
            return ProblemOf(failure);
        } catch (...) {
        }
    } catch (...) {
    }
    return {kInternalError};
}

void Report(const std::vector<Problem>& problems) noexcept {
    if (problems.empty()) return;
    try {
        bool error = false;
        std::string text;
        for (const Problem& problem : problems) {
            error |= problem.Kind == Severity::Error;
            if (!text.empty()) text += "\n\n";
            text += problem.Text;
        }
        if (error)
            ShowMessageBox(MessageOwner(), text, kErrorTitle, MB_ICONERROR);
        else
            ShowMessageBox(MessageOwner(), text, kWarningTitle, MB_ICONWARNING | MB_OK);
    } catch (...) {
        // No memory even for the text: there is nothing left to tell the user with.
    }
}

void Report(const Problem& problem) noexcept {
    try {
        Report(std::vector<Problem>{problem});
    } catch (...) {
        // As above: the copy of the text could not be made.
    }
}

void Report(const std::exception& failure) noexcept {
    try {
        Report(ProblemOf(failure));
    } catch (...) {
        // As above.
    }
}

bool RunReported(const std::function<void()>& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        Report(CurrentProblem());
    }
    return false;
}

bool RunCollecting(const std::function<void()>& body, std::vector<Problem>& problems) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        Problem problem = CurrentProblem();
        try {
            problems.push_back(std::move(problem));
        } catch (...) {
            Report(problem);  // no memory to keep it for later: now, then
        }
    }
    return false;
}

void ShowLastError() noexcept {
    DWORD code = GetLastError();
    try {
        // A call that failed without a code must not read "the operation completed".
        Report(Problem{code != 0 ? SystemErrorText(code) : "操作失败, 系统没有给出原因."});
    } catch (...) {
        // As above.
    }
}

}  // namespace common
