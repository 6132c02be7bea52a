#pragma once
// Pellacor.ini beside the executable, section "Configuration", read and
// written as the private-profile functions do, in code page 936 as long as
// every value fits it, else in UTF-16 (common/IniText): every value comes back
// exactly under any system code page.
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
    // Every key of the table. A value that does not convert keeps the key's
    // default; each such value adds a warning to `madeDo`.
    common::Settings ReadAll(const std::string& applicationFolder, std::vector<common::Problem>& madeDo) const;

    // Every key in its order, in one write of the file. Throws one failure
    // naming all the keys when the file cannot be written.
    void WriteAll(const common::Settings& s) const;

private:
    std::string path_;
};

}  // namespace app
