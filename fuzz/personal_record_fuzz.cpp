// Feeds arbitrary bytes to the personal history reader. Besides not crashing,
// whatever it reads must come back unchanged through the writer and the reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "personal/PersonalRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    personal::PersonalReadResult read = personal::ReadPersonalRecords({data, size});
    if (read.Error) {
        const personal::RecordReadError& e = *read.Error;
        if (e.RecordOffset > e.Offset || e.Offset > size || e.RecordIndex != read.Records.size()) std::abort();
        (void)personal::DescribeReadError(e);
    }
    const std::vector<uint8_t> written = personal::WritePersonalRecords(read.Records);
    personal::PersonalReadResult again = personal::ReadPersonalRecords(written);  // its pictures stay within `written`
    if (again.Error || again.Records != read.Records) std::abort();
    return 0;
}
