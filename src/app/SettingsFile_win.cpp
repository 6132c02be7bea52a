#include "app/SettingsFile_win.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "common/CodePage.h"
#include "common/IniText.h"
#include "common/Text.h"
#include "common/Wide_win.h"
#include "common/Win32Error_win.h"
#include "toolkit/Handles_win.h"

namespace app {
namespace {
const char kSection[] = "Configuration";

// The whole file; nothing when there is none (or it cannot be read: as no file).
std::string FileBytes(const std::string& path) {
    toolkit::UniqueFile file(CreateFileW(common::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 24)) return {};  // not a settings file
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}

// At most `count` characters, as the profile functions give them.
std::string FirstCharacters(std::string text, size_t count) {
    size_t at = 0;
    for (size_t n = 0; at < text.size() && n < count; ++n) at += common::CharacterLength(text, at);
    text.resize(std::min(at, text.size()));
    return text;
}
}  // namespace

std::string ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return common::Utf8(path);
        }
        path.resize(path.size() * 2);
    }
}

std::string ApplicationFolder() {
    std::string path = ExecutablePath();
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string(".\\") : path.substr(0, slash + 1);
}

std::string SettingsFile::Read(const char* key, const std::string& fallback, unsigned capacity) const {
    std::optional<std::string> value = common::IniValue(common::IniTextOf(FileBytes(path_)), kSection, key);
    return FirstCharacters(value ? *value : fallback, capacity - 1);
}

common::Settings SettingsFile::ReadAll(const std::string& applicationFolder,
                                       std::vector<common::Problem>& madeDo) const {
    const std::string text = common::IniTextOf(FileBytes(path_));
    return common::ReadSettings(
        [&](const common::SettingKey& key, const std::string& fallback) {
            std::optional<std::string> value = common::IniValue(text, kSection, key.Name);
            return FirstCharacters(value ? *value : fallback, key.Capacity - 1);
        },
        applicationFolder, madeDo);
}

void SettingsFile::WriteAll(const common::Settings& s) const {
    // Every key in its order, into the file as it is, which keeps whatever else it holds.
    std::string text = common::IniTextOf(FileBytes(path_));
    std::string keys;
    for (const common::SettingKey& key : common::SettingKeys()) {
        text = common::WithIniValue(text, kSection, key.Name, common::SettingText(s, key));
        keys += keys.empty() ? key.Name : std::string(", ") + key.Name;
    }
    const std::string bytes = common::IniBytesOf(text);
    // One write of the whole: the keys refused are told of once, together.
    auto refused = [&] { return common::Format("无法把这些设置写入 %s: %s", path_.c_str(), keys.c_str()); };
    toolkit::UniqueFile file(CreateFileW(common::Wide(path_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) common::ThrowLastErrorOrNoReason(refused());
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        common::ThrowLastErrorOrNoReason(refused());
}

}  // namespace app
