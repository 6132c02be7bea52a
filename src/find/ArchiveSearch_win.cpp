#include "find/ArchiveSearch_win.h"

#include <memory>
#include <utility>

#include "archive/ClipArchive.h"

namespace find {

ArchiveSearch::ArchiveSearch(std::string path, std::vector<uint8_t> key, HWND window, UINT message)
    : window_(window), message_(message) {
    thread_ = std::thread([this, path = std::move(path), key = std::move(key)] { Work(path, key); });
}

ArchiveSearch::~ArchiveSearch() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
        if (archive_) archive_->Interrupt();
    }
    wake_.notify_all();
    thread_.join();
}

void ArchiveSearch::Start(uint64_t generation, std::string typed) {
    {
        std::lock_guard lock(mutex_);
        wanted_ = generation;
        typed_ = std::move(typed);
        pending_ = true;
        if (archive_) archive_->Interrupt();  // the search under way is of no use any more
    }
    wake_.notify_all();
}

std::vector<int64_t> ArchiveSearch::Take(uint64_t generation, bool& done) {
    std::lock_guard lock(mutex_);
    done = false;
    if (generation != foundFor_ || generation != wanted_) return {};
    done = done_;
    return std::exchange(found_, {});
}

void ArchiveSearch::Work(const std::string& path, const std::vector<uint8_t>& key) {
    std::unique_ptr<archive::ClipArchive> archive;
    try {
        archive = std::make_unique<archive::ClipArchive>(path, key);
    } catch (const std::exception&) {
        // No archive to search: the window lists what memory holds.
    }
    std::unique_lock lock(mutex_);
    archive_ = archive.get();
    for (;;) {
        wake_.wait(lock, [this] { return ending_ || pending_; });
        if (ending_) break;
        pending_ = false;
        uint64_t generation = wanted_;
        std::string typed = typed_;
        foundFor_ = generation;
        found_.clear();
        done_ = false;
        lock.unlock();
        size_t handed = 0, next = kFirstChunk;
        auto post = [&] { PostMessageW(window_, message_, static_cast<WPARAM>(generation), 0); };
        if (archive) {
            try {
                archive->Find(typed, [&](int64_t id) {
                    std::lock_guard chunk(mutex_);
                    if (wanted_ != generation || ending_) return false;
                    found_.push_back(id);
                    if (++handed == next) {
                        next += kChunk;
                        post();
                    }
                    return true;
                });
            } catch (const std::exception&) {
                // A search that fails lists nothing more; the next keystroke tries again.
            }
        }
        lock.lock();
        if (wanted_ == generation) {
            done_ = true;
            post();
        }
    }
    archive_ = nullptr;
    lock.unlock();
    archive.reset();
}

}  // namespace find
