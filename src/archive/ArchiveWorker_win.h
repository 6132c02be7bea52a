#pragma once
// Writes the clipboard archive on a thread of its own, with its own connection,
// so the GUI thread never waits on the disk (and never while the clipboard is
// open): the GUI hands over jobs and goes on. Jobs run in order. A full disk
// keeps the job and the ones after it, says so once, and tries again after a
// while or with the next job; any other failure drops its job and is said once
// until a job works again. Problems are told on the GUI thread, between
// messages, through the worker's own hidden window.
#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "archive/ArchivedClip.h"
#include "common/Report.h"
#include "toolkit/Window_win.h"

namespace archive {

class ClipArchive;

class ArchiveWorker : public toolkit::Window {
public:
    using Report = std::function<void(const common::Problem& problem)>;
    // Opens its own connection to the archive at `path` (UTF-8) with `key` on
    // its thread. A clip whose data is larger than `largestClip` bytes is not
    // archived (the clipboard history keeps it).
    ArchiveWorker(std::string path, std::vector<uint8_t> key, int64_t largestClip, Report report);
    // Does what is queued, then ends.
    ~ArchiveWorker() override;

    void Store(ArchivedClip clip, int64_t replaces = 0);
    void Delete(std::vector<int64_t> ids);
    void Clear();
    void Prune(int days, int64_t maxBytes);
    // Runs `job` on the worker's connection after the jobs queued before it.
    void Run(std::function<void(ClipArchive& archive)> job);

    // Drops what is queued and ends the thread: nothing more is written.
    void Stop();
    // Waits until every job queued so far is done or dropped (tests, the end).
    void Flush();

    // Runs on the GUI thread, inside the worker's own message, after a job
    // found the file damaged: the owner posts itself the work of moving it
    // aside and beginning anew (destroying the worker there would pull the
    // window out from under its own message).
    std::function<void()> OnDamaged;

    // How long a full disk waits before the next try when no job comes.
    static constexpr DWORD kFullRetryMs = 30000;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    using Job = std::function<void(ClipArchive& archive)>;
    void Work(const std::string& path, const std::vector<uint8_t>& key);
    // Runs one job; false when the disk was full (the job stays queued).
    bool RunOne(ClipArchive& archive, const Job& job);
    // Damage inside the file shows only when its pages are read: they are all
    // checked first, unless someone waits for the worker (the end, a Flush),
    // which interrupts the check rather than wait for a large file's reading.
    void CheckFile(ClipArchive& archive);
    void EndCheck();
    void Tell(common::Problem problem);

    int64_t largestClip_;
    Report report_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Job> jobs_;
    bool stopping_ = false;   // end once the queue is done
    bool dropped_ = false;    // Stop: nothing more is written
    bool running_ = false;    // a job is under way
    bool diskFull_ = false;   // told; until a job works again
    bool failureTold_ = false;
    bool threadEnded_ = false;
    bool damaged_ = false;  // for the GUI thread
    ClipArchive* checking_ = nullptr;  // while the file is checked
    bool checkEnded_ = false;          // not begun, or interrupted
    std::vector<common::Problem> told_;  // for the GUI thread
    std::thread thread_;
};

}  // namespace archive
