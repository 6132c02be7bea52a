#include "clipboard/ClipboardText_win.h"

#include <climits>
#include <cstring>
#include <cwchar>

#include "common/CodePage.h"
#include "common/Wide_win.h"

namespace clipboard {

std::string TextOfBlock(HGLOBAL block) {
    toolkit::GlobalLockGuard lock(block);
    if (!lock) return {};
    const char* bytes = static_cast<const char*>(lock.data());
    const void* zero = std::memchr(bytes, 0, lock.size());
    size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - bytes) : lock.size();
    return std::string(bytes, length);
}

std::string TextOfWideBlock(HGLOBAL block) {
    toolkit::GlobalLockGuard lock(block);
    if (!lock) return {};
    // Converted straight from the block: a long text is copied once.
    const wchar_t* units = static_cast<const wchar_t*>(lock.data());
    const size_t capacity = lock.size() / sizeof(wchar_t);
    const wchar_t* zero = std::wmemchr(units, L'\0', capacity);
    return common::Utf8(std::wstring_view(units, zero ? static_cast<size_t>(zero - units) : capacity));
}

toolkit::UniqueGlobal MakeTextBlock(std::string_view text) {
    toolkit::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1));
    if (!block) return block;
    toolkit::GlobalLockGuard lock(block.get());
    if (!lock) return {};
    char* bytes = static_cast<char*>(lock.data());
    std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    return block;
}

toolkit::UniqueGlobal MakeWideTextBlock(std::string_view utf8) {
    if (utf8.size() > INT_MAX) return {};
    // UTF-8 never takes fewer units in UTF-16 than bytes: one pass sizes the block.
    const int size = static_cast<int>(utf8.size());
    const int units = utf8.empty() ? 0 : MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    toolkit::UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, (static_cast<size_t>(units) + 1) * sizeof(wchar_t)));
    if (!block) return block;
    toolkit::GlobalLockGuard lock(block.get());
    if (!lock) return {};
    auto* out = static_cast<wchar_t*>(lock.data());
    if (units > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out, units);
    out[units] = L'\0';
    return block;
}

UINT CodePageOfLocaleBlock(HGLOBAL block) {
    LCID locale = 0;
    {
        toolkit::GlobalLockGuard lock(block);
        if (!lock || lock.size() < sizeof(LCID)) return CP_ACP;
        std::memcpy(&locale, lock.data(), sizeof(LCID));
    }
    DWORD codePage = 0;
    if (!GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&codePage),
                        sizeof(codePage) / sizeof(wchar_t)) ||
        codePage == 0 || !IsValidCodePage(codePage))
        return CP_ACP;
    return codePage;
}

std::string ReadClipboardText(UINT format) {
    HANDLE data = GetClipboardData(format);  // none for a format not offered
    return data ? TextOfBlock(data) : std::string();
}

std::string ReadClipboardUnicodeText() {
    if (HANDLE wide = GetClipboardData(CF_UNICODETEXT)) return TextOfWideBlock(wide);
    HANDLE ansi = GetClipboardData(CF_TEXT);
    if (!ansi) return {};
    HANDLE locale = GetClipboardData(CF_LOCALE);
    return common::CodePageToUtf8(TextOfBlock(ansi), locale ? CodePageOfLocaleBlock(locale) : CP_ACP);
}

}  // namespace clipboard
