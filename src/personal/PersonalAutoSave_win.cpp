#include "personal/PersonalAutoSave_win.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "common/Report_win.h"

namespace personal {
namespace {
constexpr UINT_PTR kSaveTimer = 1;
// The worker has ended: its outcome waits to be told.
constexpr UINT WM_PERSONALSAVED = WM_APP + 0x140;
}  // namespace

PersonalAutoSave::PersonalAutoSave(PersonalHistoryFile& file, TakeSnapshot take, Report report)
    : file_(file), take_(std::move(take)), report_(std::move(report)) {
    // Message-only: no broadcast or close request ever reaches it.
    CreateHandle(0, 0, HWND_MESSAGE, "PellacorPersonalSave");
}

PersonalAutoSave::~PersonalAutoSave() {
    Finish();
    DestroyHandle();
}

void PersonalAutoSave::Changed() {
    if (timerSet_ && !retrying_) return;  // the save to come takes this change too
    SetSaveTimer(kDelayMs);               // sooner than a retry would
}

void PersonalAutoSave::SetSaveTimer(UINT delayMs) {
    retrying_ = false;
    timerSet_ = SetTimer(Handle(), kSaveTimer, delayMs, nullptr) != 0;
}

void PersonalAutoSave::Finish() {
    KillTimer(Handle(), kSaveTimer);
    timerSet_ = retrying_ = false;
    saveAgain_ = false;
    if (worker_.joinable()) worker_.join();  // its outcome is superseded by the caller's save
}

void PersonalAutoSave::StartSave() {
    KillTimer(Handle(), kSaveTimer);
    timerSet_ = retrying_ = false;
    if (worker_.joinable()) {
        saveAgain_ = true;
        return;
    }
    Snapshot snapshot;
    try {
        snapshot = take_();
    } catch (const std::exception& e) {
        Tell(common::ProblemOf(e));
        return;
    }
    HWND window = Handle();
    worker_ = std::thread([this, window, snapshot = std::move(snapshot)]() mutable {
        try {
            outcome_ = file_.Save(snapshot.folder, snapshot.records);
        } catch (const std::exception& e) {
            outcome_ = common::ProblemOf(e);
        } catch (...) {
            outcome_ = common::Problem{"个人历史无法保存."};
        }
        PostMessageW(window, WM_PERSONALSAVED, 0, 0);
    });
}

void PersonalAutoSave::SaveDone() {
    if (!worker_.joinable()) return;  // Finish took it over
    worker_.join();
    Outcome outcome = std::move(outcome_);
    if (std::exchange(saveAgain_, false)) StartSave();
    Tell(outcome);  // last: a message box runs a loop of its own
}

void PersonalAutoSave::Tell(const Outcome& outcome) {
    if (outcome && outcome->Kind == common::Severity::Error) {
        // The clips stay in the history; a later try, of a change or by itself, goes on silently.
        retryMs_ = retryMs_ == 0 ? kFirstRetryMs : std::min(retryMs_ * 2, kLongestRetryMs);
        if (!timerSet_ && !worker_.joinable()) {
            SetSaveTimer(retryMs_);
            retrying_ = timerSet_;
        }
        if (!std::exchange(failureShown_, true)) report_(*outcome);
        return;
    }
    failureShown_ = false;
    retryMs_ = 0;
    if (outcome && warningsShown_.insert(outcome->Text).second) report_(*outcome);
}

LRESULT PersonalAutoSave::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kSaveTimer) {
        StartSave();
        return 0;
    }
    if (msg == WM_PERSONALSAVED) {
        SaveDone();
        return 0;
    }
    return DefaultProc(msg, wParam, lParam);
}

}  // namespace personal
