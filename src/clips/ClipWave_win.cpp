#include "clips/ClipWave_win.h"

#include <algorithm>

#include <mmsystem.h>

#include "archive/ArchivedClip.h"
#include "clipboard/ClipboardWrite_win.h"
#include "clipboard/PrivateContent_win.h"
#include "clips/ClipPreview_win.h"
#include "clips/WaveBlock.h"
#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "toolkit/Handles_win.h"

namespace clips {

const char* const kWaveCaption = "Wave 声音";

namespace {

constexpr DWORD kPathBufferSize = 260;
constexpr size_t kIoChunk = size_t{1} << 30;  // ReadFile and WriteFile count in DWORDs

// A new empty file "Clp????.tmp" in the temporary folder, or "" when none can
// be made. A drive's root folder is as good a temporary folder as any other.
std::string MakeTemporaryFile() {
    wchar_t folder[kPathBufferSize] = {};
    DWORD length = GetTempPathW(kPathBufferSize, folder);
    if (length == 0 || length >= kPathBufferSize) return {};
    wchar_t name[MAX_PATH] = {};
    if (GetTempFileNameW(folder, L"Clp", 0, name) == 0) return {};
    return common::Utf8(name);
}

// Writes `bytes` as the whole content of `path`; on failure removes the file
// and throws with the platform's error.
void WriteWholeFile(const std::string& path, std::span<const uint8_t> bytes) {
    DWORD error = ERROR_SUCCESS;
    {
        toolkit::UniqueFile file(CreateFileW(common::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            error = GetLastError();
        } else {
            while (!bytes.empty()) {
                DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kIoChunk)), written = 0;
                if (!WriteFile(file.get(), bytes.data(), chunk, &written, nullptr) || written != chunk) {
                    error = GetLastError();
                    if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
                    break;
                }
                bytes = bytes.subspan(chunk);
            }
        }
    }
    if (error == ERROR_SUCCESS) return;
    DeleteFileW(common::Wide(path).c_str());
    throw common::Win32Error(error);
}

// The whole content of `path`; throws with the platform's error.
std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    toolkit::UniqueFile file(CreateFileW(common::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw common::Win32Error(GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) throw common::Win32Error(GetLastError());
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > kIoChunk)
        throw common::Win32Error(ERROR_FILE_TOO_LARGE);
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()))
        throw common::Win32Error(GetLastError() ? GetLastError() : ERROR_READ_FAULT);
    return bytes;
}

}  // namespace

bool TClipWave::WriteArchive(archive::ArchivedClip& archived) const {
    WriteArchivedNames(archived);
    if (FilePath.empty()) return false;
    archived.Prepare = [path = FilePath](archive::ArchivedClip& self) { self.Data = ReadWholeFile(path); };
    return true;
}

void TClipWave::ReadArchive(archive::ArchivedClip& archived) {
    sound_ = std::move(archived.Data);
    FinishCapture();
    ReadArchivedNames(archived);
}

bool TClipWave::Offered(const clipboard::ClipboardFormats& offered) { return offered.Has(CF_WAVE); }

bool TClipWave::CaptureFromClipboard() {
    HANDLE wave = GetClipboardData(CF_WAVE);
    if (!wave) return false;
    toolkit::GlobalLockGuard lock(wave);
    if (!lock) return false;
    std::span<const uint8_t> block(static_cast<const uint8_t*>(lock.data()), lock.size());
    std::optional<size_t> length = WaveBytesToCopy(block);
    if (!length) return false;
    sound_.assign(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(*length));
    return true;
}

void TClipWave::FinishCapture() {
    std::vector<uint8_t> sound = std::move(sound_);
    sound_ = {};
    FilePath = MakeTemporaryFile();
    if (FilePath.empty()) return;
    try {
        WriteWholeFile(FilePath, sound);
    } catch (...) {
        FilePath.clear();
        throw;
    }
}

void TClipWave::NameForHistory(int) {
    SetCaption(kWaveCaption);
    SetKind(kWave);
}

void TClipWave::ShowPreview(ClipPreview& preview) const {
    preview.ShowSound(*this);
    // Plays on by itself.
    if (!FilePath.empty()) PlaySoundW(common::Wide(FilePath).c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

void TClipWave::RestoreToClipboard() const {
    if (FilePath.empty()) return;
    toolkit::UniqueFile file(CreateFileW(common::Wide(FilePath).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
        static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX) {
        return;
    }
    toolkit::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(size.QuadPart)));
    if (!memory) throw common::Win32Error(ERROR_NOT_ENOUGH_MEMORY);
    {
        toolkit::GlobalLockGuard lock(memory.get());
        if (!lock) throw common::Win32Error(ERROR_NOT_ENOUGH_MEMORY);
        auto* at = static_cast<uint8_t*>(lock.data());
        size_t left = static_cast<size_t>(size.QuadPart);
        while (left > 0) {
            DWORD chunk = static_cast<DWORD>(std::min(left, kIoChunk)), read = 0;
            if (!ReadFile(file.get(), at, chunk, &read, nullptr) || read != chunk) return;  // shrank meanwhile
            at += read;
            left -= read;
        }
    }
    file.reset();
    clipboard::ClipboardWrite write;
    write.Add(CF_WAVE, std::move(memory));
    write.Commit();
}

}  // namespace clips
