#include "archive/ArchiveWorker_win.h"

#include <chrono>
#include <ctime>
#include <optional>
#include <utility>

#include "archive/ClipArchive.h"
#include "common/Report_win.h"
#include "toolkit/Handles_win.h"

namespace archive {
namespace {
constexpr UINT WM_ARCHIVETOLD = WM_APP + 0x150;
}  // namespace

ArchiveWorker::ArchiveWorker(std::string path, std::vector<uint8_t> key, int64_t largestClip, Report report)
    : largestClip_(largestClip), report_(std::move(report)) {
    CreateHandle(0, 0, HWND_MESSAGE, "PellacorArchive");
    thread_ = std::thread([this, path = std::move(path), key = std::move(key)] { Work(path, key); });
}

ArchiveWorker::~ArchiveWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        EndCheck();
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void ArchiveWorker::Store(ArchivedClip clip, int64_t replaces) {
    Run([this, clip = std::move(clip), replaces](ClipArchive& archive) mutable {
        if (clip.Prepare) {
            std::function<void(ArchivedClip&)> prepare = std::move(clip.Prepare);
            clip.Prepare = nullptr;
            prepare(clip);
        }
        // Too large to keep: the clipboard history has it while it lasts; the
        // clip it replaces goes all the same, as it no longer holds this content.
        if (static_cast<int64_t>(clip.Data.size() + clip.FoundBy.size()) > largestClip_) {
            if (replaces != 0) archive.Delete(std::span<const int64_t>(&replaces, 1));
            return;
        }
        archive.Store(clip, replaces);
    });
}

void ArchiveWorker::Delete(std::vector<int64_t> ids) {
    if (ids.empty()) return;
    Run([ids = std::move(ids)](ClipArchive& archive) { archive.Delete(ids); });
}

void ArchiveWorker::Clear() {
    Run([](ClipArchive& archive) { archive.Clear(); });
}

void ArchiveWorker::Prune(int days, int64_t maxBytes) {
    Run([days, maxBytes](ClipArchive& archive) {
        archive.Prune(static_cast<int64_t>(std::time(nullptr)), days, maxBytes);
    });
}

void ArchiveWorker::Run(Job job) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_ || dropped_) return;
        jobs_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void ArchiveWorker::Stop() {
    {
        std::lock_guard lock(mutex_);
        jobs_.clear();
        stopping_ = dropped_ = true;
        EndCheck();
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void ArchiveWorker::Flush() {
    std::unique_lock lock(mutex_);
    EndCheck();  // nobody waits for the check of the whole file
    idle_.wait(lock, [this] { return (jobs_.empty() && !running_) || threadEnded_; });
}

void ArchiveWorker::Work(const std::string& path, const std::vector<uint8_t>& key) {
    toolkit::ComApartment com;  // the pictures' PNG
    std::optional<ClipArchive> archive;
    try {
        archive.emplace(path, key);
    } catch (const std::exception& e) {
        Tell(common::ProblemOf(e));
    }
    if (archive) CheckFile(*archive);
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!archive) jobs_.clear();
        if (jobs_.empty()) {
            idle_.notify_all();
            if (stopping_) break;
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            continue;
        }
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        running_ = true;
        lock.unlock();
        bool done = RunOne(*archive, job);
        lock.lock();
        running_ = false;
        if (done) continue;
        // The disk is full: the job waits for space, as do the ones after it.
        if (!dropped_) jobs_.push_front(std::move(job));
        size_t queued = jobs_.size();
        wake_.wait_for(lock, std::chrono::milliseconds(kFullRetryMs),
                       [this, queued] { return stopping_ || jobs_.size() != queued; });
        if (stopping_) break;
    }
    threadEnded_ = true;
    idle_.notify_all();
}

void ArchiveWorker::CheckFile(ClipArchive& archive) {
    {
        std::lock_guard lock(mutex_);
        if (checkEnded_) return;  // somebody waits already
        checking_ = &archive;
    }
    bool sound = archive.QuickCheck();  // an interrupted check finds nothing
    {
        std::lock_guard lock(mutex_);
        checking_ = nullptr;
    }
    if (!sound) RunOne(archive, [](ClipArchive&) { throw ArchiveError(ArchiveFault::Damaged, "剪贴板存档已损坏."); });
}

void ArchiveWorker::EndCheck() {
    checkEnded_ = true;  // the caller holds the lock
    if (checking_) checking_->Interrupt();
}

bool ArchiveWorker::RunOne(ClipArchive& archive, const Job& job) {
    // Said once until a job works again: a full disk apart from any other failure.
    auto tellOnce = [this](bool ArchiveWorker::*told, const std::exception& e) {
        bool first = false;
        {
            std::lock_guard lock(mutex_);
            first = !std::exchange(this->*told, true);
        }
        if (first) Tell(common::ProblemOf(e));
    };
    try {
        job(archive);
        std::lock_guard lock(mutex_);
        diskFull_ = failureTold_ = false;
        return true;
    } catch (const ArchiveError& e) {
        if (e.Fault() == ArchiveFault::Full) {
            tellOnce(&ArchiveWorker::diskFull_, e);
            return false;  // kept for when there is space
        }
        if (e.Fault() == ArchiveFault::Damaged) {
            {
                std::lock_guard lock(mutex_);
                if (std::exchange(damaged_, true)) return true;
                dropped_ = true;  // nothing more is written into a damaged file
                jobs_.clear();
            }
            Tell(common::ProblemOf(e));
            return true;
        }
        tellOnce(&ArchiveWorker::failureTold_, e);
    } catch (const std::exception& e) {
        tellOnce(&ArchiveWorker::failureTold_, e);
    }
    return true;  // dropped
}

void ArchiveWorker::Tell(common::Problem problem) {
    {
        std::lock_guard lock(mutex_);
        told_.push_back(std::move(problem));
    }
    PostMessageW(Handle(), WM_ARCHIVETOLD, 0, 0);
}

LRESULT ArchiveWorker::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_ARCHIVETOLD) return DefaultProc(msg, wParam, lParam);
    std::vector<common::Problem> told;
    bool damaged = false;
    {
        std::lock_guard lock(mutex_);
        told.swap(told_);
        damaged = damaged_;
    }
    if (damaged && OnDamaged) {
        OnDamaged();  // the owner says it, with where the file went (it must not destroy the worker here)
        return 0;
    }
    for (const common::Problem& problem : told) report_(problem);
    return 0;
}

}  // namespace archive
