#include "clipboard/IgnoredPrograms.h"

#include "common/Text.h"

namespace clipboard {
namespace {

std::string_view WithoutExe(std::string_view name) {
    constexpr std::string_view kExe = ".exe";
    if (name.size() > kExe.size() && common::EqualIgnoringAsciiCase(name.substr(name.size() - kExe.size()), kExe))
        name.remove_suffix(kExe.size());
    return name;
}

}  // namespace

bool IsIgnoredProgram(std::string_view program, std::string_view list) {
    std::string_view wanted = WithoutExe(common::TrimBlanks(program));
    if (wanted.empty()) return false;
    while (!list.empty()) {
        size_t end = list.find(';');
        std::string_view name = WithoutExe(common::TrimBlanks(list.substr(0, end)));
        if (!name.empty() && common::EqualIgnoringAsciiCase(name, wanted)) return true;
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
    return false;
}

}  // namespace clipboard
