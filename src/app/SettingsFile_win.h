#pragma once
// Pellacor.ini beside the executable, section "Configuration", read and
// written through the private-profile functions.
#include <string>
#include <vector>

#include "common/Settings.h"

namespace app {

// The running executable's full path.
std::string ExecutablePath();
// The executable's folder with a trailing backslash.
std::string ApplicationFolder();

class SettingsFile {
public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const noexcept { return path_; }

    // At most `capacity` - 1 characters; a missing file or key gives `fallback`.
    std::string Read(const char* key, const std::string& fallback, unsigned capacity = 261) const;
    // Shows the system error when the write fails; returns whether it worked.
    bool Write(const char* key, const std::string& value) const;

    // Start-up reads, in their order. A value that does not convert keeps the
    // key's default; each such value adds a line to `problems`.
    void ReadPersonalHistoryPath(const std::string& applicationFolder, common::Settings& s) const;
    void ReadRemaining(common::Settings& s, std::vector<std::string>& problems) const;
    bool ReadMonitorClipboard(std::vector<std::string>& problems) const;

    // Shutdown: every key in its order; returns the number of failed writes.
    int WriteAll(const common::Settings& s, bool monitorClipboard) const;

private:
    int32_t ReadInt(const char* key, int32_t fallback, std::vector<std::string>& problems) const;
    bool ReadFlag(const char* key, bool fallback, std::vector<std::string>& problems) const;
    std::string path_;
};

}  // namespace app
