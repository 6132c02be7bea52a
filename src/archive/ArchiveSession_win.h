#pragma once
// The clipboard archive as the program runs it: History.db and its key
// History.key in the personal history's folder, the GUI thread's connection
// (start-up's newest clips, the find window's rows, a picked clip) and the
// worker that writes. A file that cannot be opened as our archive (not one,
// damaged, of a newer version, or made by another Windows user or computer)
// is never deleted: it is moved aside with its key, once, with one warning,
// and a new archive begins.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveWorker_win.h"
#include "archive/ClipArchive.h"
#include "common/Report.h"

namespace archive {

class ArchiveSession {
public:
    // Opens (or begins) the archive in `folder` (ends with a backslash). The
    // warning of a file moved aside goes to `madeDo`; throws when no archive
    // can be had there (the folder cannot be written, the disk is full).
    ArchiveSession(const std::string& folder, int64_t largestClip, ArchiveWorker::Report report,
                   std::vector<common::Problem>& madeDo);
    ~ArchiveSession();

    static constexpr const char* kFileName = "History.db";
    static constexpr const char* kKeyName = "History.key";

    const std::string& Folder() const noexcept { return folder_; }
    const std::string& Path() const noexcept { return path_; }
    const std::vector<uint8_t>& Key() const noexcept { return key_; }
    // The GUI thread's connection.
    ClipArchive& Reader() noexcept { return *reader_; }
    ArchiveWorker& Worker() noexcept { return *worker_; }

    // Moves the archive's files in `folder` aside under names with the time
    // (no session may be open on them); the warning says why and where.
    static common::Problem MoveAside(const std::string& folder, const ArchiveError& why);
    // Deletes the archive's files in `folder` (the archive switched off with
    // what it stored); no session may be open on them.
    static void DeleteFiles(const std::string& folder);

private:
    void Open(std::vector<common::Problem>& madeDo);

    std::string folder_, path_;
    std::vector<uint8_t> key_;
    std::unique_ptr<ClipArchive> reader_;
    std::unique_ptr<ArchiveWorker> worker_;
};

}  // namespace archive
