#pragma once
// One clip as the clipboard archive History.db keeps it: what the history
// shows of it, what the find window finds it by, and the bytes its kind
// restores it from. Made by the kind itself (TClip::WriteArchive) and read
// back by it (TClip::ReadArchive); the archive knows no kind.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace archive {

struct ArchivedClip {
    // Its place in the archive and its recency at once: a larger id is a
    // newer copy. Given by the program when the clip is stored; a copy of
    // what the archive holds already takes the new id (and time).
    int64_t Id = 0;
    // When it was copied last, in seconds since 1970 (UTC): retention by days.
    int64_t CopiedAt = 0;
    std::string ClassName;  // "TClipText", ... as the kinds name themselves
    int Kind = -1;          // the kind number, which picks the icon
    std::string Caption;
    std::string Source;
    std::string CapturedAt;  // the capture time in the locale's words
    // What the find window finds it by besides caption and source (its full
    // text, its file names). Indexed, never stored as such: Load leaves it empty.
    std::string FoundBy;
    // The kind's own bytes, from which it restores itself.
    std::vector<uint8_t> Data;
    // The work of the kind that may take long (a picture's PNG, a sound's
    // file), done on the archive's worker thread before the clip is stored;
    // it fills Data. Throws common::Failure when it cannot.
    std::function<void(ArchivedClip&)> Prepare;
};

// What the find window lists of an archived clip.
struct ArchivedRow {
    int64_t Id = 0;
    int Kind = -1;
    std::string Caption;
};

}  // namespace archive
