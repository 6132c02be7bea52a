#pragma once
// Loading and saving Personal.dat. Neither shows a message: the caller reports
// the returned text.
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "clips/PersonalFile.h"
#include "clips/PersonalRecord.h"

namespace clips {

// Reads <folder>Personal.dat. No file: no records and no error. A file that
// cannot be read completely (damaged, cut short, unreadable) gives the records
// before the damage and an error naming where the file was moved aside, so the
// next save cannot overwrite what was not read.
// Checks one record as it is taken in (for instance its picture); an error
// text stops the load there, as damage in the file itself would.
using RecordAcceptor = std::function<std::optional<std::string>(const ClipRecord& record)>;

PersonalLoadResult LoadPersonalFile(const std::string& folder, const RecordAcceptor& accept = {});

// Before a save into `folder`: a Personal.dat there that is not ours (`ours`
// is the folder the history was loaded from or last saved to) is moved aside
// under the first free name of Personal.dat.old, Personal.dat.1.old, ...,
// so the save cannot overwrite it. Nothing when there is nothing to keep;
// else the message for the user, and whether the save may go on (the file
// was moved).
struct OtherFileKept {
    bool Moved = false;
    std::string Message;
};
std::optional<OtherFileKept> KeepOtherPersonalFile(const std::string& folder, const std::string& ours);

// Writes the records to <folder>Personal.dat.tmp, flushes it and then replaces
// Personal.dat in one step, so a failure at any point leaves the old file as it
// was. No records give a file of 0 bytes. Returns nothing when saved, else the
// error for the user.
std::optional<std::string> SavePersonalFile(const std::string& folder, std::span<const ClipRecord> records);

}  // namespace clips
