// Native stand-in for the Windows code-page calls: iconv with code page 936.
#include "common/CodePage.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/LittleEndian.h"

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

std::string IconvName(unsigned codePage) {
    return "CP" + std::to_string(codePage == kSystemCodePage ? kChineseCodePage : codePage);
}

// Letter case of each code point through the C.UTF-8 locale, whose case rules
// are Unicode's (the plain C locale changes only ASCII letters). One rule with
// the platform's: a character beyond the basic plane, or whose other case takes
// another number of UTF-16 units, keeps its form.
std::string ChangeCase(std::string_view utf8, wint_t (*change)(wint_t, locale_t)) {
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    std::u16string wide = Utf8ToUtf16(utf8);
    if (!unicode) return std::string(utf8);
    for (size_t i = 0; i < wide.size(); ++i) {
        bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
                    wide[i + 1] <= 0xDFFF;
        if (pair) {  // beyond the basic plane: unchanged, as the platform leaves a surrogate pair
            ++i;
            continue;
        }
        char32_t changed = static_cast<char32_t>(change(static_cast<wint_t>(wide[i]), unicode));
        if (changed < 0x10000 && (changed < 0xD800 || changed > 0xDFFF)) wide[i] = static_cast<char16_t>(changed);
    }
    return Utf16ToUtf8(wide);
}

}  // namespace

std::string LocaleUpperCase(std::string_view utf8) { return ChangeCase(utf8, towupper_l); }
std::string LocaleLowerCase(std::string_view utf8) { return ChangeCase(utf8, towlower_l); }

std::u16string CodePageToUtf16(std::string_view bytes, unsigned codePage) {
    Converter conv("UTF-16LE", IconvName(codePage).c_str());
    std::string converted = conv.Run(bytes, std::string("\xFD\xFF", 2), 1);
    std::span<const uint8_t> units(reinterpret_cast<const uint8_t*>(converted.data()), converted.size());
    std::u16string out(converted.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) out[i] = ReadLe16(units, 2 * i).value();
    return out;
}

std::string Utf16ToCodePage(std::u16string_view wide, unsigned codePage) {
    Converter conv(IconvName(codePage).c_str(), "UTF-16LE");
    std::string units;
    units.reserve(wide.size() * 2);
    for (char16_t c : wide) {
        units.push_back(static_cast<char>(c & 0xFF));
        units.push_back(static_cast<char>(c >> 8));
    }
    return conv.Run(units, "?", 2);
}

}  // namespace common
