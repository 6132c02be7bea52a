#include "common/Report_win.h"

#include <new>
#include <stdexcept>

#include "common/Failure.h"
#include "common/Win32Error_win.h"

namespace common {

namespace {
// For what no code of ours threw: a library's or the language's own failure.
const char kInternalError[] = "程序内部出错, 这一步没有完成.";

BoxTitle TitleOf(const std::vector<Problem>& problems, bool error) {
    if (problems.size() == 1 && problems.front().Title) return *problems.front().Title;
    return error ? BoxTitle::Error : BoxTitle::Warning;
}

void Show(HWND owner, const std::vector<Problem>& problems) noexcept {
    if (problems.empty()) return;
    try {
        bool error = false;
        std::string text;
        for (const Problem& problem : problems) {
            error |= problem.Kind == Severity::Error;
            if (!text.empty()) text += "\n\n";
            text += problem.Text;
        }
        ShowMessageBox(owner, text, TitleText(TitleOf(problems, error)),
                       error ? MB_ICONERROR : MB_ICONWARNING | MB_OK);
    } catch (...) {
        // No memory even for the text: there is nothing left to tell the user with.
    }
}
}  // namespace

Problem ProblemOf(const std::exception& failure) {
    // A Win32Error's text was made from its code, and shows it.
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

void Report(const std::vector<Problem>& problems) noexcept { Show(MessageOwner(), problems); }

void Report(const Problem& problem) noexcept { ReportTo(MessageOwner(), problem); }

void ReportTo(HWND owner, const Problem& problem) noexcept {
    try {
        Show(owner, std::vector<Problem>{problem});
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

bool Confirmed(const std::string& question, BoxTitle title, HWND owner, UINT moreFlags) {
    constexpr UINT kQuestion = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
    return ShowMessageBox(owner, question, TitleText(title), kQuestion | moreFlags) == IDYES;
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

}  // namespace common
