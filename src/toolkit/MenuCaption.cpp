#include "toolkit/MenuCaption.h"

namespace toolkit {

std::string PlatformMenuCaption(std::string_view caption) {
    std::string shown;
    shown.reserve(caption.size());
    for (char c : caption) {
        if (c == '&') shown += "&&";
        else if (c == '\t') shown += ' ';
        else shown += c;
    }
    return shown;
}

}  // namespace toolkit
