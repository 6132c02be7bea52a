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

void SettingsFile::ReadPersonalHistoryPath(const std::string& applicationFolder, common::Settings& s) const {
    std::string path = Read("PersonalHistoryPath", applicationFolder);
    // An empty value names no folder: the application folder stands in for it.
    if (common::TrimBlanks(path).empty()) path = applicationFolder;
    s.PersonalHistoryPath = common::CompletePath(path);
}

int32_t SettingsFile::ReadInt(const char* key, int32_t fallback, std::vector<common::Problem>& madeDo) const {
    std::string text = Read(key, std::to_string(fallback));
    if (auto value = common::StrToIntStrict(text)) return *value;
    madeDo.push_back({common::Format("Pellacor.ini 中 %s 的值 \"%s\" 不是有效的整数, 已改用默认值 %d.", key,
                                     text.c_str(), fallback),
                      common::Severity::Warning});
    return fallback;
}

bool SettingsFile::ReadFlag(const char* key, bool fallback, std::vector<common::Problem>& madeDo) const {
    std::string text = Read(key, common::BoolToStr(fallback));
    if (auto value = common::StrToBoolStrict(text)) return *value;
    madeDo.push_back({common::Format("Pellacor.ini 中 %s 的值 \"%s\" 不是有效的开关值, 已改用默认值 %s.", key,
                                     text.c_str(), common::BoolToStr(fallback).c_str()),
                      common::Severity::Warning});
    return fallback;
}

void SettingsFile::ReadRemaining(common::Settings& s, std::vector<common::Problem>& madeDo) const {
    const common::Settings defaults;
    s.MaxHistorySize = ReadInt("MaxHistorySize", defaults.MaxHistorySize, madeDo);
    s.MaxCaptionLength = ReadInt("MaxCaptionLength", defaults.MaxCaptionLength, madeDo);
    s.NoDuplicatedEntries = ReadFlag("NoDuplicatedEntries", defaults.NoDuplicatedEntries, madeDo);
    s.DeleteClipConf = ReadFlag("DeleteClipConf", defaults.DeleteClipConf, madeDo);
    s.DeleteAllConf = ReadFlag("DeleteAllConf", defaults.DeleteAllConf, madeDo);
    s.HotKeyOn = ReadFlag("HotKeyOn", defaults.HotKeyOn, madeDo);
    s.HotKeyCombination = ReadInt("HotKeyCombination", defaults.HotKeyCombination, madeDo);
    s.PreviewMode = ReadFlag("PreviewMode", defaults.PreviewMode, madeDo);
    s.AutoPaste = ReadFlag("AutoPaste", defaults.AutoPaste, madeDo);
    // A list of programs may well be longer than a path.
    s.IgnoredPrograms = Read("IgnoredPrograms", defaults.IgnoredPrograms, 4096);
}

bool SettingsFile::ReadMonitorClipboard(std::vector<common::Problem>& madeDo) const {
    return ReadFlag("MonitorClipboard", true, madeDo);
}

void SettingsFile::WriteAll(const common::Settings& s, bool monitorClipboard) const {
    using common::BoolToStr;
    // Every key is tried; the keys refused are told of once, together.
    std::string refusedKeys;
    DWORD firstCode = ERROR_SUCCESS;
    auto put = [&](const char* key, const std::string& value) {
        SetLastError(ERROR_SUCCESS);
        if (WritePrivateProfileStringW(kSection, common::Wide(key).c_str(), ToFileForm(value).c_str(),
                                       common::Wide(path_).c_str()))
            return;
        if (refusedKeys.empty()) firstCode = GetLastError();
        refusedKeys += refusedKeys.empty() ? key : std::string(", ") + key;
    };
    put("MonitorClipboard", BoolToStr(monitorClipboard));
    put("MaxHistorySize", std::to_string(s.MaxHistorySize));
    put("MaxCaptionLength", std::to_string(s.MaxCaptionLength));
    put("NoDuplicatedEntries", BoolToStr(s.NoDuplicatedEntries));
    put("DeleteClipConf", BoolToStr(s.DeleteClipConf));
    put("DeleteAllConf", BoolToStr(s.DeleteAllConf));
    put("HotKeyOn", BoolToStr(s.HotKeyOn));
    put("HotKeyCombination", std::to_string(s.HotKeyCombination));
    put("PreviewMode", BoolToStr(s.PreviewMode));
    put("AutoPaste", BoolToStr(s.AutoPaste));
    put("PersonalHistoryPath", PathInFileForm(s.PersonalHistoryPath));
    put("IgnoredPrograms", s.IgnoredPrograms);
    if (refusedKeys.empty()) return;
    std::string doing = common::Format("无法把这些设置写入 %s: %s", path_.c_str(), refusedKeys.c_str());
    if (firstCode == ERROR_SUCCESS) throw common::Failure(doing);  // the platform gave no reason
    throw common::Win32Error(firstCode, doing);
}

}  // namespace app
