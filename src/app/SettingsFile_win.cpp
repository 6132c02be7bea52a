#include "app/SettingsFile_win.h"

#include <windows.h>

#include "common/Report_win.h"
#include "common/Text.h"

namespace app {
namespace {
const char kSection[] = "Configuration";
}

std::string ExecutablePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
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
    std::string buffer(capacity, '\0');
    DWORD n = GetPrivateProfileStringA(kSection, key, fallback.c_str(), buffer.data(), capacity, path_.c_str());
    buffer.resize(n);
    return buffer;
}

bool SettingsFile::Write(const char* key, const std::string& value) const {
    if (WritePrivateProfileStringA(kSection, key, value.c_str(), path_.c_str())) return true;
    common::ShowLastError();
    return false;
}

void SettingsFile::ReadPersonalHistoryPath(const std::string& applicationFolder, common::Settings& s) const {
    std::string path = Read("PersonalHistoryPath", applicationFolder);
    // An empty value names no folder: the application folder stands in for it.
    if (common::TrimBlanks(path).empty()) path = applicationFolder;
    s.PersonalHistoryPath = common::CompletePath(path);
}

int32_t SettingsFile::ReadInt(const char* key, int32_t fallback, std::vector<std::string>& problems) const {
    std::string text = Read(key, std::to_string(fallback));
    if (auto value = common::StrToIntStrict(text)) return *value;
    problems.push_back(common::Format("Pellacor.ini 中 %s 的值 \"%s\" 不是有效的整数, 已改用默认值 %d.", key,
                                      text.c_str(), fallback));
    return fallback;
}

bool SettingsFile::ReadFlag(const char* key, bool fallback, std::vector<std::string>& problems) const {
    std::string text = Read(key, common::BoolToStr(fallback));
    if (auto value = common::StrToBoolStrict(text)) return *value;
    problems.push_back(common::Format("Pellacor.ini 中 %s 的值 \"%s\" 不是有效的开关值, 已改用默认值 %s.", key,
                                      text.c_str(), common::BoolToStr(fallback).c_str()));
    return fallback;
}

void SettingsFile::ReadRemaining(common::Settings& s, std::vector<std::string>& problems) const {
    const common::Settings defaults;
    s.MaxHistorySize = ReadInt("MaxHistorySize", defaults.MaxHistorySize, problems);
    s.MaxCaptionLength = ReadInt("MaxCaptionLength", defaults.MaxCaptionLength, problems);
    s.NoDuplicatedEntries = ReadFlag("NoDuplicatedEntries", defaults.NoDuplicatedEntries, problems);
    s.DeleteClipConf = ReadFlag("DeleteClipConf", defaults.DeleteClipConf, problems);
    s.DeleteAllConf = ReadFlag("DeleteAllConf", defaults.DeleteAllConf, problems);
    s.HotKeyOn = ReadFlag("HotKeyOn", defaults.HotKeyOn, problems);
    s.HotKeyCombination = ReadInt("HotKeyCombination", defaults.HotKeyCombination, problems);
    s.PreviewMode = ReadFlag("PreviewMode", defaults.PreviewMode, problems);
    s.AutoPaste = ReadFlag("AutoPaste", defaults.AutoPaste, problems);
    // A list of programs may well be longer than a path.
    s.IgnoredPrograms = Read("IgnoredPrograms", defaults.IgnoredPrograms, 4096);
}

bool SettingsFile::ReadMonitorClipboard(std::vector<std::string>& problems) const {
    return ReadFlag("MonitorClipboard", true, problems);
}

int SettingsFile::WriteAll(const common::Settings& s, bool monitorClipboard) const {
    using common::BoolToStr;
    int failed = 0;
    auto put = [&](const char* key, const std::string& value) { failed += Write(key, value) ? 0 : 1; };
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
    put("PersonalHistoryPath", s.PersonalHistoryPath);
    put("IgnoredPrograms", s.IgnoredPrograms);
    return failed;
}

}  // namespace app
