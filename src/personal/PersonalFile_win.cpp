#include "personal/PersonalFile_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <limits>
#include <new>
#include <variant>
#include <vector>

#include "common/Paths_win.h"
#include "common/Text.h"
#include "common/Report_win.h"
#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "toolkit/Handles_win.h"

namespace personal {
namespace {

// A bound far above any real personal history.
constexpr uint64_t kLargestReadableFile = std::numeric_limits<int32_t>::max();

struct FileMissing {};
struct ReadProblem {
    std::string Reason;
};
// The file mapped into memory rather than copied: each clip copies its part
// once, straight into its own storage. The file stays open without write
// sharing meanwhile, so no other program can cut it short under the mapping.
struct MappedFile {
    toolkit::UniqueFile file;
    toolkit::UniqueKernelHandle mapping;
    toolkit::UniqueView view;
    std::span<const uint8_t> bytes;
};
using FileContent = std::variant<MappedFile, FileMissing, ReadProblem>;

FileContent MapWholeFile(const std::string& path) {
    MappedFile mapped;
    mapped.file.reset(CreateFileW(common::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!mapped.file) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileMissing{};
        return ReadProblem{common::SystemErrorText(error)};
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(mapped.file.get(), &size)) return ReadProblem{common::SystemErrorText(GetLastError())};
    if (static_cast<uint64_t>(size.QuadPart) > kLargestReadableFile)
        return ReadProblem{"文件太大 (" + std::to_string(size.QuadPart) + " 字节)"};
    if (size.QuadPart == 0) return mapped;  // nothing to map: no clips
    mapped.mapping.reset(CreateFileMappingW(mapped.file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapped.mapping) return ReadProblem{common::SystemErrorText(GetLastError())};
    mapped.view.reset(MapViewOfFile(mapped.mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!mapped.view) return ReadProblem{common::SystemErrorText(GetLastError())};
    mapped.bytes = {static_cast<const uint8_t*>(mapped.view.get()), static_cast<size_t>(size.QuadPart)};
    return mapped;
}

struct KeptCopy {
    std::optional<std::string> Path;  // where the file now is
    std::string Failure;              // why it could not be moved, otherwise
};

// Moves the file aside under the first free name that `copyPath` gives.
KeptCopy KeepFileAside(const std::string& folder, std::string (*copyPath)(std::string_view, int)) {
    std::string path = PersonalFilePath(folder);
    for (int attempt = 0; attempt < kDamagedCopyAttempts; ++attempt) {
        std::string copy = copyPath(folder, attempt);
        if (MoveFileW(common::Wide(path).c_str(), common::Wide(copy).c_str())) return {copy, {}};
        DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return {std::nullopt, common::SystemErrorText(error)};
    }
    return {std::nullopt, "已有太多损坏文件的副本"};
}

// `result` holds what was read before the damage; the file must be closed.
PersonalLoadResult NotCompletelyRead(const std::string& folder, std::string_view reason, PersonalLoadResult result) {
    KeptCopy kept = KeepFileAside(folder, &DamagedCopyPath);
    result.Error = common::Problem{
        DamagedFileMessage(PersonalFilePath(folder), reason, result.ClipsRead, kept.Path, kept.Failure)};
    result.LeftInPlace = !kept.Path && GetFileAttributesW(common::Wide(PersonalFilePath(folder)).c_str()) != INVALID_FILE_ATTRIBUTES;
    result.KeptDamagedPath = std::move(kept.Path);
    return result;
}

// The temporary file of a save: deleted unless it became Personal.dat.
class TempFileGuard {
public:
    explicit TempFileGuard(std::string path) : path_(std::move(path)) {}
    ~TempFileGuard() {
        if (!committed_) DeleteFileW(common::Wide(path_).c_str());
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    void Commit() { committed_ = true; }

private:
    std::string path_;
    bool committed_ = false;
};

std::string CannotSave(const std::string& folder) {
    return common::Format("无法保存个人历史文件 %s:", PersonalFilePath(folder).c_str());
}

[[noreturn]] void ThrowSaveError(const std::string& folder, std::string_view reason) {
    throw common::Failure(CannotSave(folder) + "\n" + std::string(reason));
}

}  // namespace

PersonalLoadResult LoadPersonalFile(const std::string& folder, const RecordAcceptor& accept) {
    std::string path = PersonalFilePath(folder);
    PersonalLoadResult result;
    std::optional<std::string> damage;
    {
        FileContent content = MapWholeFile(path);
        if (std::holds_alternative<FileMissing>(content)) return {};
        if (auto* problem = std::get_if<ReadProblem>(&content)) return NotCompletelyRead(folder, problem->Reason, {});

        PersonalReadResult read;
        try {
            read = ReadPersonalRecords(std::get<MappedFile>(content).bytes);
        } catch (const std::bad_alloc&) {
            read.Records.clear();
            damage = "内存不足";
        }
        if (read.Error) damage = DescribeReadError(*read.Error);
        for (size_t i = 0; i < read.Records.size(); ++i) {
            ClipRecord& record = read.Records[i];
            if (!accept) {
                record.KeepBitmapBytes();  // the mapping goes before the caller sees the record
                ++result.ClipsRead;
                continue;
            }
            try {
                accept(record);
            } catch (const common::Failure& refused) {
                damage = common::Format("第 %u 个剪辑: %s", static_cast<unsigned>(i + 1), refused.what());
                break;
            }
            ++result.ClipsRead;
        }
        if (!accept) {
            read.Records.resize(result.ClipsRead);
            result.Records = std::move(read.Records);
        }
    }  // the file is closed: a damaged one can be moved aside now
    if (damage) return NotCompletelyRead(folder, *damage, std::move(result));
    return result;
}

namespace {

// Writes `bytes` to `temp`, flushes it and then replaces `path` with it in one
// step; on any failure `path` stays as it was, and the failure's text begins
// with `doing`.
void WriteReplacing(const std::string& path, const std::string& temp, const std::vector<uint8_t>& bytes,
                    const std::string& doing) {
    TempFileGuard guard(temp);  // declared first: the file is closed before it is deleted
    toolkit::UniqueFile file(
        CreateFileW(common::Wide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) common::ThrowLastErrorOrNoReason(doing);
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr))
            common::ThrowLastErrorOrNoReason(doing);
        if (written == 0) throw common::Failure(doing + "\n写入的字节数为 0");
        done += written;
    }
    if (!FlushFileBuffers(file.get())) common::ThrowLastErrorOrNoReason(doing);
    file.reset();
    if (!MoveFileExW(common::Wide(temp).c_str(), common::Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        common::ThrowLastErrorOrNoReason(doing);
    guard.Commit();
}

bool Exists(const std::string& path) { return GetFileAttributesW(common::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

namespace {
std::vector<uint8_t> RecordBytes(const std::string& folder, std::span<const ClipRecord> records) {
    try {
        return WritePersonalRecords(records);
    } catch (const std::exception& e) {
        ThrowSaveError(folder, common::ProblemOf(e).Text);
    }
}
}  // namespace

void SavePersonalFile(const std::string& folder, std::span<const ClipRecord> records) {
    std::vector<uint8_t> bytes = RecordBytes(folder, records);

    // A read-only Personal.dat is the user's wish that it stay as it is. Windows
    // refuses to replace it anyway; checking first says so on every platform.
    DWORD attributes = GetFileAttributesW(common::Wide(PersonalFilePath(folder)).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ThrowSaveError(folder, common::SystemErrorText(ERROR_ACCESS_DENIED));

    WriteReplacing(PersonalFilePath(folder), PersonalTempPath(folder), bytes, CannotSave(folder));
}

PersonalLoadResult PersonalHistoryFile::Load(const std::string& folder, const RecordAcceptor& accept) {
    ownFolder_ = folder;
    PersonalLoadResult result = LoadPersonalFile(folder, accept);
    if (result.LeftInPlace) unreadPath_ = PersonalFilePath(folder);
    return result;
}

bool PersonalHistoryFile::IsOwnFolder(const std::string& folder) const {
    // One folder may be spelt in several ways (letter case, "." parts): compare full paths, ignoring case.
    return lstrcmpiW(common::Wide(common::FullPath(folder)).c_str(), common::Wide(common::FullPath(ownFolder_)).c_str()) == 0;
}

std::optional<common::Problem> PersonalHistoryFile::Save(const std::string& folder,
                                                         std::span<const ClipRecord> records) {
    const std::string path = PersonalFilePath(folder);
    std::optional<common::Problem> madeDo;
    // The folder was changed to one that already holds a Personal.dat we never loaded: keep that file.
    if (!IsOwnFolder(folder) && Exists(path)) {
        KeptCopy kept = KeepFileAside(folder, &OtherCopyPath);
        std::string message = OtherFileMessage(path, kept.Path, kept.Failure);
        if (!kept.Path) throw common::Failure(message);
        madeDo = common::Problem{std::move(message), common::Severity::Warning};
    }
    if (path != unreadPath_ || !Exists(path)) {
        SavePersonalFile(folder, records);
        ownFolder_ = folder;
        return madeDo;
    }
    // The file the load could not read is still there: it is never replaced.
    if (records.empty()) return std::nullopt;  // nothing to keep beside it
    std::vector<uint8_t> bytes = RecordBytes(folder, records);
    for (int attempt = 0; !besidePath_ && attempt < kDamagedCopyAttempts; ++attempt)
        if (!Exists(SideCopyPath(folder, attempt))) besidePath_ = SideCopyPath(folder, attempt);
    if (!besidePath_) ThrowSaveError(folder, "它在启动时没有完整读取, 保持原样; 旁边也没有空闲的文件名.");
    WriteReplacing(*besidePath_, *besidePath_ + ".tmp", bytes,
                   CannotSave(folder) + "\n它在启动时没有完整读取, 保持原样; 另存为 " + *besidePath_ + " 也失败了:");
    return common::Problem{SavedBesideMessage(path, *besidePath_), common::Severity::Warning};
}

}  // namespace personal
