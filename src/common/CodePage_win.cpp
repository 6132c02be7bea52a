#include <windows.h>

#include "common/CodePage.h"

namespace common {

std::u16string CodePageToUtf16(std::string_view bytes, unsigned codePage) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int size = static_cast<int>(bytes.size());
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::u16string out(static_cast<size_t>(n > 0 ? n : 0), u'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

std::string Utf16ToCodePage(std::u16string_view wide, unsigned codePage) {
    if (wide.empty() || wide.size() > INT_MAX / 4) return {};
    auto src = reinterpret_cast<const wchar_t*>(wide.data());
    const int size = static_cast<int>(wide.size());
    int n = WideCharToMultiByte(codePage, 0, src, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(codePage, 0, src, size, out.data(), n, nullptr, nullptr);
    return out;
}

namespace {

// CharUpperBuffW changes each UTF-16 unit in place, so the text keeps its
// length. It is handed the runs between surrogates only: a character beyond
// the basic plane keeps its case, one rule on every system (some change such
// pairs, some do not) and in the native build.
std::string ChangeCase(std::string_view utf8, DWORD (WINAPI *change)(LPWSTR, DWORD)) {
    std::u16string wide = Utf8ToUtf16(utf8);
    if (wide.empty() || wide.size() > MAXDWORD) return std::string(utf8);
    auto surrogate = [](char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; };
    for (size_t start = 0; start < wide.size();) {
        size_t end = start;
        while (end < wide.size() && !surrogate(wide[end])) ++end;
        if (end > start) change(reinterpret_cast<wchar_t*>(wide.data() + start), static_cast<DWORD>(end - start));
        while (end < wide.size() && surrogate(wide[end])) ++end;
        start = end;
    }
    return Utf16ToUtf8(wide);
}

}  // namespace

std::string LocaleUpperCase(std::string_view utf8) { return ChangeCase(utf8, CharUpperBuffW); }
std::string LocaleLowerCase(std::string_view utf8) { return ChangeCase(utf8, CharLowerBuffW); }

}  // namespace common
