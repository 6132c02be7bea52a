#include "app/SettingsFile_win.h"

#include <windows.h>

#include "common/CodePage.h"
#include "common/Text.h"
#include "common/Wide_win.h"
#include "common/Win32Error_win.h"

namespace app {
namespace {
const wchar_t kSection[] = L"Configuration";

// Pellacor.ini is a code-page-936 file, as earlier versions wrote it, whatever
// the system's code page. The profile functions read and write it in the
// system's code page: converted back to that code page, what they read gives
// the file's bytes, and what they write is made from the bytes we want.
std::u16string AsUtf16(std::wstring_view w) { return std::u16string(w.begin(), w.end()); }

std::string FromFileForm(std::wstring_view read) {
    std::string bytes = common::Utf16ToCodePage(AsUtf16(read), common::kSystemCodePage);
    return common::CodePageToUtf8(bytes, common::kChineseCodePage);
}

std::wstring ToFileForm(std::string_view text) {
    std::u16string wide = common::CodePageToUtf16(common::Utf8ToCodePage(text, common::kChineseCodePage),
                                                  common::kSystemCodePage);
    return std::wstring(wide.begin(), wide.end());
}

// A folder whose name code page 936 cannot hold is written as its short
// (8.3) path where the file system gives one that it can hold.
std::string PathInFileForm(const std::string& path) {
    if (common::FitsCodePage(path, common::kChineseCodePage)) return path;
    wchar_t shortPath[MAX_PATH * 2] = {};
    DWORD n = GetShortPathNameW(common::Wide(path).c_str(), shortPath, MAX_PATH * 2);
    if (n == 0 || n >= MAX_PATH * 2) return path;
    std::string shortened = common::Utf8(std::wstring_view(shortPath, n));
    return common::FitsCodePage(shortened, common::kChineseCodePage) ? shortened : path;
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
    std::wstring buffer(capacity, L'\0');
    DWORD n = GetPrivateProfileStringW(kSection, common::Wide(key).c_str(), ToFileForm(fallback).c_str(),
                                       buffer.data(), capacity, common::Wide(path_).c_str());
    buffer.resize(n);
    return FromFileForm(buffer);
}

common::Settings SettingsFile::ReadAll(const std::string& applicationFolder,
                                       std::vector<common::Problem>& madeDo) const {
    return common::ReadSettings(
        [&](const common::SettingKey& key, const std::string& fallback) {
            return Read(key.Name, fallback, key.Capacity);
        },
        applicationFolder, madeDo);
}

void SettingsFile::WriteAll(const common::Settings& s) const {
    // Every key is tried; the keys refused are told of once, together.
    std::string refusedKeys;
    DWORD firstCode = ERROR_SUCCESS;
    for (const common::SettingKey& key : common::SettingKeys()) {
        std::string value = common::SettingText(s, key);
        if (key.Folder) value = PathInFileForm(value);
        SetLastError(ERROR_SUCCESS);
        if (WritePrivateProfileStringW(kSection, common::Wide(key.Name).c_str(), ToFileForm(value).c_str(),
                                       common::Wide(path_).c_str()))
            continue;
        if (refusedKeys.empty()) firstCode = GetLastError();
        refusedKeys += refusedKeys.empty() ? key.Name : std::string(", ") + key.Name;
    }
    if (refusedKeys.empty()) return;
    std::string doing = common::Format("无法把这些设置写入 %s: %s", path_.c_str(), refusedKeys.c_str());
    if (firstCode == ERROR_SUCCESS) throw common::Failure(doing);  // the platform gave no reason
    throw common::Win32Error(firstCode, doing);
}

}  // namespace app
