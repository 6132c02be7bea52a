#include "archive/ArchiveSession_win.h"

#include <windows.h>

#include "archive/ArchiveKey_win.h"
#include "common/Text.h"
#include "common/Wide_win.h"
#include "common/Win32Error_win.h"

namespace archive {
namespace {

// The files of an archive: the database, its journal and index of the journal, and the key.
constexpr const char* kSuffixes[] = {"", "-wal", "-shm"};

bool Exists(const std::string& path) { return GetFileAttributesW(common::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// A file that cannot be opened as our archive, whatever the reason: moved aside, never deleted.
bool MovedAsideFault(ArchiveFault fault) {
    return fault == ArchiveFault::NotAnArchive || fault == ArchiveFault::Damaged ||
           fault == ArchiveFault::NewerSchema || fault == ArchiveFault::WrongKey;
}

}  // namespace

ArchiveSession::ArchiveSession(const std::string& folder, int64_t largestClip, ArchiveWorker::Report report,
                               std::vector<common::Problem>& madeDo)
    : folder_(folder), path_(folder + kFileName) {
    Open(madeDo);
    worker_ = std::make_unique<ArchiveWorker>(path_, key_, largestClip, std::move(report));
}

ArchiveSession::~ArchiveSession() {
    worker_.reset();  // writes what is queued first
    reader_.reset();
}

void ArchiveSession::Open(std::vector<common::Problem>& madeDo) {
    std::wstring keyFile = common::Wide(folder_ + kKeyName);
    try {
        // Without its key an archive cannot be read: both begin anew together.
        if (Exists(path_) && !Exists(folder_ + kKeyName))
            throw ArchiveError(ArchiveFault::WrongKey, "剪贴板存档的密钥文件不见了.");
        key_ = LoadOrCreateArchiveKey(keyFile);
        reader_ = std::make_unique<ClipArchive>(path_, key_);
        return;
    } catch (const ArchiveError& e) {
        if (!MovedAsideFault(e.Fault())) throw;
        reader_.reset();
        madeDo.push_back(MoveAside(folder_, e));
    }
    key_ = LoadOrCreateArchiveKey(keyFile);
    reader_ = std::make_unique<ClipArchive>(path_, key_);
}

common::Problem ArchiveSession::MoveAside(const std::string& folder, const ArchiveError& why) {
    const std::string path = folder + kFileName;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    std::string stamp = common::Format("%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                                       now.wMinute, now.wSecond);
    std::string aside = folder + "History-" + stamp + ".db";
    for (const char* suffix : kSuffixes) {
        std::string from = path + suffix;
        if (!Exists(from)) continue;
        if (!MoveFileExW(common::Wide(from).c_str(), common::Wide(aside + suffix).c_str(), MOVEFILE_WRITE_THROUGH))
            throw common::Win32Error(GetLastError(), "剪贴板存档无法移到一旁");
    }
    std::string key = folder + kKeyName;
    if (Exists(key) &&
        !MoveFileExW(common::Wide(key).c_str(), common::Wide(folder + "History-" + stamp + ".key").c_str(),
                     MOVEFILE_WRITE_THROUGH))
        throw common::Win32Error(GetLastError(), "剪贴板存档的密钥无法移到一旁");
    return {std::string(why.what()) + " 原来的存档已改名为 \"" + aside + "\", 新的存档已经开始.",
            common::Severity::Warning};
}

void ArchiveSession::DeleteFiles(const std::string& folder) {
    std::string path = folder + kFileName;
    for (const char* suffix : kSuffixes) {
        std::string file = path + suffix;
        if (Exists(file) && !DeleteFileW(common::Wide(file).c_str()))
            throw common::Win32Error(GetLastError(), "剪贴板存档无法删除");
    }
    std::string key = folder + kKeyName;
    if (Exists(key) && !DeleteFileW(common::Wide(key).c_str()))
        throw common::Win32Error(GetLastError(), "剪贴板存档的密钥无法删除");
}

}  // namespace archive
