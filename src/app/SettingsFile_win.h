#pragma once
// Pellacor.ini beside the executable, section "Configuration", read and
// written through the private-profile functions.
#include <string>
#include <vector>

#include "common/Report.h"
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
    // Start-up reads, in their order. A value that does not convert keeps the
    // key's default; each such value adds a warning to `madeDo`.
    void ReadPersonalHistoryPath(const std::string& applicationFolder, common::Settings& s) const;
    void ReadRemaining(common::Settings& s, std::vector<common::Problem>& madeDo) const;
    bool ReadMonitorClipboard(std::vector<common::Problem>& madeDo) const;

    // Every key in its order, also after one was refused. Throws one
    // common::Win32Error naming all the keys that could not be written.
    void WriteAll(const common::Settings& s, bool monitorClipboard) const;

private:
    int32_t ReadInt(const char* key, int32_t fallback, std::vector<common::Problem>& madeDo) const;
    bool ReadFlag(const char* key, bool fallback, std::vector<common::Problem>& madeDo) const;
    std::string path_;
};

}  // namespace app
