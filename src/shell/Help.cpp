#include "shell/Help.h"

namespace shell {

ShellTarget HomePageTarget(std::string_view homePage, std::string_view applicationFolder) {
    if (homePage.find("://") != std::string_view::npos) return {std::string(homePage), {}};
    return {"hh.exe", std::string(applicationFolder) + std::string(homePage)};
}

}  // namespace shell
