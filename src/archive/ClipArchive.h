#pragma once
// The clipboard archive History.db: every clip the clipboard history received,
// kept across restarts, found by any part of its text in any script. An SQLite
// file, encrypted page by page with the key it is opened with, with a full-text
// index of its own tokens (each folded character and each pair of them), so one
// and two characters are found as quickly as longer words. A connection belongs
// to one thread; the program opens one per thread (the worker's writes, the
// find window's searches, the GUI's reads), and WAL lets them work side by side.
// Needs no platform call.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchivedClip.h"
#include "common/Failure.h"

struct sqlite3;

namespace archive {

// Why a file cannot be opened as our archive.
enum class ArchiveFault {
    NotAnArchive,  // an SQLite file (or any file) that is not an archive of ours
    Damaged,       // the file or its index does not check as sound
    NewerSchema,   // made by a later version of the program
    WrongKey,      // encrypted with another key (another user's or computer's)
    Full,          // the disk is full: nothing was written
    Io,            // the file cannot be read or written
};

// The failure of an archive operation, with our own text and its fault.
class ArchiveError : public common::Failure {
public:
    ArchiveError(ArchiveFault fault, std::string text) : common::Failure(std::move(text)), fault_(fault) {}
    ArchiveFault Fault() const noexcept { return fault_; }

private:
    ArchiveFault fault_;
};

struct ArchiveSummary {
    int64_t Clips = 0;
    int64_t Bytes = 0;  // the size of the file in use
};

class ClipArchive {
public:
    // Opens the archive at `path` (UTF-8), creating it (and its schema) when
    // the file does not exist; an older schema is migrated. `key` is the raw
    // 256-bit key of the page encryption; empty opens a file without
    // encryption (tests). Throws ArchiveError when the file is not a sound
    // archive of ours that this key opens.
    ClipArchive(const std::string& path, std::span<const uint8_t> key);
    ~ClipArchive();
    ClipArchive(const ClipArchive&) = delete;
    ClipArchive& operator=(const ClipArchive&) = delete;

    // The schema this version writes (PRAGMA user_version).
    static constexpr int kSchemaVersion = 1;

    // The id the next stored clip takes: above every id in the file.
    int64_t NextId();
    // Stores `clip` (its Prepare already run), or, when a clip of the same
    // class with the same Data is archived already, gives that one the new id,
    // time, caption and source. `replaces` (0: none) is the id of the clip it
    // takes the place of (a renamed or transformed clip): that one goes.
    void Store(const ArchivedClip& clip, int64_t replaces = 0);
    // Deletes these clips (ids not in the archive are passed over).
    void Delete(std::span<const int64_t> ids);
    // Deletes every clip and gives the space back.
    void Clear();
    // Removes the clips copied before `now - days` days, then the oldest
    // while the file is larger than `maxBytes`; gives the space back.
    // The number of clips removed.
    int64_t Prune(int64_t now, int days, int64_t maxBytes);

    // The newest `count` clips, newest first, with their Data (no FoundBy).
    std::vector<ArchivedClip> Newest(int count);
    // One clip with its Data, or nothing when it is not archived.
    std::optional<ArchivedClip> Load(int64_t id);
    // What the find window lists of one clip, or nothing.
    std::optional<ArchivedRow> RowOf(int64_t id);
    ArchiveSummary Summary();

    // The ids of the clips every word of `typedUtf8` occurs in (in caption,
    // source or FoundBy, in any letter case, as the find window matches),
    // newest first; `each` returns false to stop. No words: every clip.
    // Interrupt (from any thread) ends a search early.
    void Find(std::string_view typedUtf8, const std::function<bool(int64_t id)>& each);
    void Interrupt() noexcept;

    // Checks the file and its index; false when not sound.
    bool Check();
    // Checks the file's pages alone, quicker; false when not sound (an
    // interrupted check is true: it found nothing).
    bool QuickCheck();

private:
    // Gives the space of deleted clips back (zeroed first: secure delete).
    void GiveSpaceBack();
    sqlite3* db_ = nullptr;
};

}  // namespace archive
