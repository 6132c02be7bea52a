#include "clipboard/IgnoredPrograms.h"

#include "common/Text.h"

namespace clipboard {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Letter case of a to z only (no byte of a UTF-8 character beyond ASCII is a letter).
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view WithoutExe(std::string_view name) {
    constexpr std::string_view kExe = ".exe";
    if (name.size() > kExe.size() && EqualIgnoringCase(name.substr(name.size() - kExe.size()), kExe))
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
        if (!name.empty() && EqualIgnoringCase(name, wanted)) return true;
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
    return false;
}

}  // namespace clipboard
