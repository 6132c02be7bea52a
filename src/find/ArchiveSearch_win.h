#pragma once
// The find window's search of the clipboard archive, on a thread of its own
// with its own connection, so typing never waits for it. Each new query ends
// the one before (its results are dropped). The ids found, newest first, are
// handed over in chunks (the first screenful at once) by a message posted to
// the window; the window takes them between messages.
#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace archive {
class ClipArchive;
}

namespace find {

class ArchiveSearch {
public:
    // Opens the archive at `path` with `key` on its thread; chunks go to
    // `window` as `message` (wParam: the query's generation).
    ArchiveSearch(std::string path, std::vector<uint8_t> key, HWND window, UINT message);
    ~ArchiveSearch();
    ArchiveSearch(const ArchiveSearch&) = delete;
    ArchiveSearch& operator=(const ArchiveSearch&) = delete;

    // Searches for `typed` as generation `generation`, ending the search before.
    void Start(uint64_t generation, std::string typed);
    // The ids found since the last call for `generation` (none for an older
    // one); `done` when the search has ended.
    std::vector<int64_t> Take(uint64_t generation, bool& done);

    static constexpr size_t kFirstChunk = 50;
    static constexpr size_t kChunk = 5000;

private:
    void Work(const std::string& path, const std::vector<uint8_t>& key);

    HWND window_;
    UINT message_;
    std::mutex mutex_;
    std::condition_variable wake_;
    uint64_t wanted_ = 0;      // the newest query
    std::string typed_;
    bool pending_ = false;     // a query waits to be run
    bool ending_ = false;
    archive::ClipArchive* archive_ = nullptr;  // while the thread has it open
    uint64_t foundFor_ = 0;    // the query `found_` belongs to
    std::vector<int64_t> found_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace find
