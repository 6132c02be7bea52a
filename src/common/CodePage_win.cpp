#include <windows.h>

#include <array>

#include "common/CodePage.h"

namespace common {

bool IsLeadByte(unsigned char byte) {
    // Asked per byte of long texts: one table per process instead of a call per byte.
    static const auto table = [] {
        std::array<bool, 256> leads{};
        for (int b = 0; b < 256; ++b) leads[static_cast<size_t>(b)] = IsDBCSLeadByte(static_cast<BYTE>(b)) != FALSE;
        return leads;
    }();
    return table[byte];
}

std::u16string AnsiToUtf16(std::string_view ansi) {
    if (ansi.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::u16string out(n, u'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                        reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

std::string Utf16ToAnsi(std::u16string_view wide) {
    if (wide.empty()) return {};
    auto src = reinterpret_cast<const wchar_t*>(wide.data());
    int n = WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

namespace {

// CharUpperBuffA and CharLowerBuffA convert through UTF-16 and back. Where a
// character's other case has no form in the code page, Wine writes "?" in its place
// and the text comes back shorter; the text is then changed one character at a time,
// and such a character keeps its own form.
std::string ChangeCase(std::string_view ansi, size_t (*changeOne)(char*, size_t)) {
    std::string out(ansi);
    const size_t whole = CompleteCharactersLength(ansi);  // a lone lead byte would become "?"
    if (whole == 0 || whole > MAXDWORD) return out;
    if (changeOne(out.data(), whole) == whole) return out;
    return ChangeEachCharacter(ansi, changeOne);
}

size_t UpperInPlace(char* bytes, size_t size) { return CharUpperBuffA(bytes, static_cast<DWORD>(size)); }
size_t LowerInPlace(char* bytes, size_t size) { return CharLowerBuffA(bytes, static_cast<DWORD>(size)); }

}  // namespace

std::string LocaleUpperCase(std::string_view ansi) { return ChangeCase(ansi, UpperInPlace); }
std::string LocaleLowerCase(std::string_view ansi) { return ChangeCase(ansi, LowerInPlace); }

}  // namespace common
