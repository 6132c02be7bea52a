#pragma once
// Loading and saving Personal.dat. Neither shows a message: the caller reports
// what was returned or thrown.
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "common/Report.h"
#include "personal/PersonalFile.h"
#include "personal/PersonalRecord.h"

namespace personal {

// Reads <folder>Personal.dat. No file: no records and no error. A file that
// cannot be read completely (damaged, cut short, unreadable) gives the records
// before the damage and an error naming where the file was moved aside, so the
// next save cannot overwrite what was not read.
// Takes one record in as it is read (makes it a clip, say), and may take its
// contents; its picture's bytes are valid during the call only. A
// common::Failure it throws stops the load there, as damage in the file itself
// would, and its text says why. With an acceptor the result holds no records,
// only how many were accepted.
using RecordAcceptor = std::function<void(ClipRecord& record)>;

PersonalLoadResult LoadPersonalFile(const std::string& folder, const RecordAcceptor& accept = {});

// Writes the records to <folder>Personal.dat.tmp, flushes it and then replaces
// Personal.dat in one step, so a failure at any point leaves the old file as it
// was. No records give a file of 0 bytes. Throws common::Failure with the
// text for the user when it could not save.
void SavePersonalFile(const std::string& folder, std::span<const ClipRecord> records);

// Personal.dat over one run of the program: a file that the load could not
// read completely and could not move aside either is never replaced by a
// save of the same run; the clips are then saved beside it under a free name
// (the same name at every save of the run), and the user is told where. A
// save into another folder (the preferences changed it) that already holds a
// Personal.dat first moves that file aside as Personal.dat.old (or .N.old)
// and says so; when it cannot be moved, nothing is saved there.
class PersonalHistoryFile {
public:
    PersonalLoadResult Load(const std::string& folder, const RecordAcceptor& accept = {});

    // Throws common::Failure when nothing was saved; returns a warning when the
    // clips were saved, but not where the user expects.
    std::optional<common::Problem> Save(const std::string& folder, std::span<const ClipRecord> records);

private:
    bool IsOwnFolder(const std::string& folder) const;

    std::string ownFolder_;                  // the folder whose Personal.dat is ours
    std::optional<std::string> unreadPath_;  // Personal.dat left unread in place
    std::optional<std::string> besidePath_;  // where this run saves instead
};

}  // namespace personal
