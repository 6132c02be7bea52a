#include "archive/ArchiveKey_win.h"

#include <windows.h>
#include <bcrypt.h>
#include <dpapi.h>

#include "archive/ClipArchive.h"
#include "common/Win32Error_win.h"
#include "toolkit/Handles_win.h"

namespace archive {
namespace {

constexpr size_t kLargestKeyFile = 64 * 1024;

// Frees the output of CryptProtectData / CryptUnprotectData.
struct BlobGuard {
    DATA_BLOB blob{};
    ~BlobGuard() {
        if (blob.pbData) {
            SecureZeroMemory(blob.pbData, blob.cbData);
            LocalFree(blob.pbData);
        }
    }
};

ArchiveError NotOurKey() {
    return ArchiveError(ArchiveFault::WrongKey, "剪贴板存档的密钥无法用当前 Windows 用户打开.");
}

std::vector<uint8_t> ReadKeyFile(const std::wstring& path) {
    toolkit::UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw common::Win32Error(GetLastError(), "剪贴板存档的密钥无法读取");
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) throw common::Win32Error(GetLastError(), "剪贴板存档的密钥无法读取");
    if (size.QuadPart <= 0 || size.QuadPart > static_cast<LONGLONG>(kLargestKeyFile)) throw NotOurKey();
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
        throw common::Win32Error(GetLastError(), "剪贴板存档的密钥无法读取");
    return bytes;
}

void WriteKeyFile(const std::wstring& path, const DATA_BLOB& blob) {
    std::wstring temp = path + L".tmp";
    {
        toolkit::UniqueFile file(
            CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.get(), blob.pbData, blob.cbData, &written, nullptr) || written != blob.cbData ||
            !FlushFileBuffers(file.get())) {
            DWORD error = GetLastError();
            file.reset();
            DeleteFileW(temp.c_str());
            throw common::Win32Error(error, "剪贴板存档的密钥无法保存");
        }
    }
    if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD error = GetLastError();
        DeleteFileW(temp.c_str());
        throw common::Win32Error(error, "剪贴板存档的密钥无法保存");
    }
}

}  // namespace

std::vector<uint8_t> LoadOrCreateArchiveKey(const std::wstring& keyFile) {
    if (GetFileAttributesW(keyFile.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::vector<uint8_t> stored = ReadKeyFile(keyFile);
        DATA_BLOB in{static_cast<DWORD>(stored.size()), stored.data()};
        BlobGuard out;
        if (!CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out.blob) ||
            out.blob.cbData != kArchiveKeyBytes)
            throw NotOurKey();
        return {out.blob.pbData, out.blob.pbData + out.blob.cbData};
    }
    std::vector<uint8_t> key(kArchiveKeyBytes);
    NTSTATUS status = BCryptGenRandom(nullptr, key.data(), static_cast<ULONG>(key.size()), BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status < 0) throw common::Win32Error(static_cast<DWORD>(status), "剪贴板存档的密钥无法生成");
    DATA_BLOB in{static_cast<DWORD>(key.size()), key.data()};
    BlobGuard out;
    if (!CryptProtectData(&in, L"Pellacor", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out.blob))
        throw common::Win32Error(GetLastError(), "剪贴板存档的密钥无法保护");
    WriteKeyFile(keyFile, out.blob);
    return key;
}

}  // namespace archive
