#include "shell/MailAddress.h"


namespace shell {
namespace {
bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}
}  // namespace

std::string MailAddress(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    const std::string_view utf8 = text;
    std::string address = "mailto:?body=";
    address.reserve(address.size() + utf8.size() * 3);
    for (size_t i = 0; i < utf8.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if (c == '\r' || c == '\n') {
            // A mail body's line break is CR LF, whatever the clip used.
            if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
            address += "%0D%0A";
        } else if (IsUnreserved(c)) {
            address += static_cast<char>(c);
        } else {
            address += '%';
            address += kHex[c >> 4];
            address += kHex[c & 0x0F];
        }
    }
    return address;
}

}  // namespace shell
