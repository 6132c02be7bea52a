#include "clipboard/ClipboardText_win.h"

#include <cstring>

namespace clipboard {

std::string TextOfBlock(HGLOBAL block) {
    toolkit::GlobalLockGuard lock(block);
    if (!lock) return {};
    const char* bytes = static_cast<const char*>(lock.data());
    const void* zero = std::memchr(bytes, 0, lock.size());
    size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - bytes) : lock.size();
    return std::string(bytes, length);
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

std::string ReadClipboardText(UINT format) {
    HANDLE data = GetClipboardData(format);  // none for a format not offered
    return data ? TextOfBlock(data) : std::string();
}

}  // namespace clipboard
