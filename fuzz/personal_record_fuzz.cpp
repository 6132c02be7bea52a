// Feeds arbitrary bytes to the personal history reader. Besides not crashing,
// whatever it reads must come back unchanged through the writer and the reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "clips/PersonalRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    clips::PersonalReadResult read = clips::ReadPersonalRecords({data, size});
    if (read.Error) {
        const clips::RecordReadError& e = *read.Error;
        if (e.RecordOffset > e.Offset || e.Offset > size || e.RecordIndex != read.Records.size()) std::abort();
        (void)clips::DescribeReadError(e);
    }
    const std::vector<uint8_t> written = clips::WritePersonalRecords(read.Records);
    clips::PersonalReadResult again = clips::ReadPersonalRecords(written);  // its pictures stay within `written`
    if (again.Error || again.Records != read.Records) std::abort();
    return 0;
}
