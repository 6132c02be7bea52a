// Native stand-in for the Windows code-page calls: iconv with code page 936.
#include "common/CodePage.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace common {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; an invalid input byte becomes `replacement`.
    std::string Run(std::string_view in, std::string_view replacement, size_t inUnit) {
        std::string out;
        std::vector<char> buf(4 * in.size() + 16);
        const char* src = in.data();
        size_t left = in.size();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (left > 0) {
            char* dst = buf.data();
            size_t room = buf.size();
            size_t r = iconv(cd_, const_cast<char**>(&src), &left, &dst, &room);
            out.append(buf.data(), dst);
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                out.append(replacement);
                size_t skip = left < inUnit ? left : inUnit;
                src += skip;
                left -= skip;
            }
        }
        return out;
    }

private:
    iconv_t cd_;
};

// Letter case of one character through UTF-16 and the C.UTF-8 locale, whose case
// rules are Unicode's (the plain C locale changes only ASCII letters).
size_t ChangeOne(char* bytes, size_t size, wint_t (*change)(wint_t, locale_t)) {
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    std::u16string wide = AnsiToUtf16(std::string_view(bytes, size));
    if (wide.size() != 1 || !unicode) return 0;
    std::string back = Utf16ToAnsi(std::u16string(1, static_cast<char16_t>(change(wide[0], unicode))));
    if (back.size() != size) return 0;
    std::memcpy(bytes, back.data(), size);
    return size;
}

size_t UpperOne(char* bytes, size_t size) { return ChangeOne(bytes, size, towupper_l); }
size_t LowerOne(char* bytes, size_t size) { return ChangeOne(bytes, size, towlower_l); }

}  // namespace

std::string LocaleUpperCase(std::string_view ansi) { return ChangeEachCharacter(ansi, UpperOne); }
std::string LocaleLowerCase(std::string_view ansi) { return ChangeEachCharacter(ansi, LowerOne); }

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

std::u16string AnsiToUtf16(std::string_view ansi) {
    thread_local Converter conv("UTF-16LE", "CP936");
    std::string bytes = conv.Run(ansi, std::string("\xFD\xFF", 2), 1);
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return out;
}

std::string Utf16ToAnsi(std::u16string_view wide) {
    thread_local Converter conv("CP936", "UTF-16LE");
    std::string bytes;
    bytes.reserve(wide.size() * 2);
    for (char16_t c : wide) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return conv.Run(bytes, "?", 2);
}

}  // namespace common
