#pragma once
// Saves the personal history soon after each change, so that a crash, a power
// cut or a killed process loses at most the last moment's change, not a whole
// session. A change starts a short timer; changes before it ticks ride along,
// so a burst makes one save. The tick takes a copy of the records on the GUI
// thread, between messages (never while the clipboard is open), and a worker
// thread that owns that copy encodes and writes the file through the
// crash-safe save of PersonalHistoryFile, so a large history never holds up a
// menu. A failed save keeps the clips, is reported once until a save works
// again, and is tried again by itself after 2, 4, 8 ... seconds (at most a
// minute apart: a sharing violation of a moment, a drive back); each warning of a save (saved beside an unread file, an older
// file moved aside) is reported once.
#include <windows.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "common/Report.h"
#include "personal/PersonalFile_win.h"
#include "toolkit/Window_win.h"

namespace personal {

class PersonalAutoSave : public toolkit::Window {
public:
    struct Snapshot {
        std::string folder;
        std::vector<ClipRecord> records;
    };
    // Takes the records to save, on the GUI thread; may throw (a picture that cannot be encoded).
    using TakeSnapshot = std::function<Snapshot()>;
    // Shows a save's failure (an error) or its warning.
    using Report = std::function<void(const common::Problem& problem)>;

    // `file` is used by the worker while a save runs, and by nobody else meanwhile.
    PersonalAutoSave(PersonalHistoryFile& file, TakeSnapshot take, Report report);
    ~PersonalAutoSave() override;

    // The personal history changed: it is saved within kDelayMs (plus the save itself).
    void Changed();
    // Waits for a save under way and drops a pending one: the caller saves now
    // (at exit), with the file to itself.
    void Finish();
    // A save of a change is due or under way (a retry after a failure is not counted).
    bool Pending() const noexcept { return (timerSet_ && !retrying_) || worker_.joinable(); }
    // The last save failed, and none has worked since.
    bool Failing() const noexcept { return retryMs_ != 0; }

    static constexpr UINT kDelayMs = 1000;
    static constexpr UINT kFirstRetryMs = 2000;
    static constexpr UINT kLongestRetryMs = 60000;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // What one save ended with: nothing when it went as expected, an error
    // when it failed, a warning when it made do.
    using Outcome = std::optional<common::Problem>;
    void StartSave();
    void SaveDone();
    void Tell(const Outcome& outcome);
    void SetSaveTimer(UINT delayMs);

    PersonalHistoryFile& file_;
    TakeSnapshot take_;
    Report report_;
    std::thread worker_;
    Outcome outcome_;  // written by the worker, read after it has ended
    bool timerSet_ = false;
    UINT retryMs_ = 0;            // the delay of the next retry while saves fail; 0: none failed
    bool retrying_ = false;       // the timer set is a retry's, not a change's
    bool saveAgain_ = false;      // a change came while the worker wrote
    bool failureShown_ = false;   // until a save works again
    std::set<std::string> warningsShown_;
};

}  // namespace personal
