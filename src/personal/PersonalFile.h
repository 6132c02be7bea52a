#pragma once
// The personal history file on disk: its names and what loading reports. The
// Win32 reading and writing is in PersonalFile_win.h; this half is portable.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Report.h"
#include "personal/PersonalRecord.h"

namespace personal {

// `folder` is PersonalHistoryPath, which always ends with a backslash.
std::string PersonalFilePath(std::string_view folder);  // "<folder>Personal.dat"
// Saving writes here first and then replaces Personal.dat in one step.
std::string PersonalTempPath(std::string_view folder);  // "<folder>Personal.dat.tmp"
// A file that could not be loaded completely is moved aside under the first
// free name of Personal.dat.bad, Personal.dat.1.bad, Personal.dat.2.bad, ...
std::string DamagedCopyPath(std::string_view folder, int attempt);
// A file found in a folder the history was not loaded from, before the first
// save there: Personal.dat.old, Personal.dat.1.old, ...
std::string OtherCopyPath(std::string_view folder, int attempt);
inline constexpr int kDamagedCopyAttempts = 1000;
// When that file could not be moved aside either, it is never replaced: the
// clips are saved beside it under the first free name of Personal.dat.new,
// Personal.dat.1.new, Personal.dat.2.new, ...
std::string SideCopyPath(std::string_view folder, int attempt);

struct PersonalLoadResult {
    std::vector<ClipRecord> Records;          // in file order: every clip read before any damage (no acceptor)
    std::size_t ClipsRead = 0;                // how many clips were read (and accepted) before any damage
    std::optional<common::Problem> Error;     // the failure the user is told of when not all was read
    std::optional<std::string> KeptDamagedPath;  // where the unreadable file was moved
    bool LeftInPlace = false;                 // not read completely, and still Personal.dat
};

// The user's message for a file that was not read completely. `keptAt` is the
// damaged copy's path, or `keepFailure` says why it could not be moved aside.
// The user's message for another program's (or an earlier) Personal.dat in the
// folder a save goes to: where it was kept, or why it could not be moved.
std::string OtherFileMessage(std::string_view path, const std::optional<std::string>& keptAt,
                             std::string_view keepFailure);

std::string DamagedFileMessage(std::string_view path, std::string_view reason, std::size_t clipsRead,
                               const std::optional<std::string>& keptAt, std::string_view keepFailure);
// The user's message after the clips were saved beside a file left unread.
std::string SavedBesideMessage(std::string_view path, std::string_view beside);

}  // namespace personal
