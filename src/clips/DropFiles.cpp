#include "clips/DropFiles.h"

#include <cstring>

#include "common/CodePage.h"

namespace clips {
namespace {
constexpr std::string_view kLineBreak = "\r\n";

uint32_t Get32(std::span<const uint8_t> d, size_t at) {
    return uint32_t{d[at]} | uint32_t{d[at + 1]} << 8 | uint32_t{d[at + 2]} << 16 | uint32_t{d[at + 3]} << 24;
}
}  // namespace

std::vector<std::string_view> SplitFileList(std::string_view fileList) {
    std::vector<std::string_view> names;
    while (!fileList.empty()) {
        size_t end = fileList.find(kLineBreak);
        std::string_view name = fileList.substr(0, end);
        if (!name.empty()) names.push_back(name);
        if (end == std::string_view::npos) break;
        fileList.remove_prefix(end + kLineBreak.size());
    }
    return names;
}

std::vector<uint8_t> BuildDropFiles(std::string_view fileList) {
    std::vector<uint8_t> block(kDropFilesHeaderSize, 0);
    block[0] = static_cast<uint8_t>(kDropFilesHeaderSize);  // pFiles; pt and fNC stay 0
    block[16] = 1;                                          // fWide
    auto put = [&](char16_t unit) {
        block.push_back(static_cast<uint8_t>(unit & 0xFF));
        block.push_back(static_cast<uint8_t>(unit >> 8));
    };
    for (std::string_view name : SplitFileList(fileList)) {
        for (char16_t unit : common::Utf8ToUtf16(name)) put(unit);
        put(0);
    }
    put(0);
    return block;
}

std::optional<size_t> CountDropFiles(std::span<const uint8_t> block) {
    if (block.size() < kDropFilesHeaderSize) return std::nullopt;
    uint32_t offset = Get32(block, 0);
    size_t unit = Get32(block, 16) != 0 ? 2 : 1;
    if (offset < kDropFilesHeaderSize || offset >= block.size()) return std::nullopt;
    auto isZero = [&](size_t at) { return block[at] == 0 && (unit == 1 || block[at + 1] == 0); };
    size_t at = offset, names = 0;
    bool nameStarted = false;
    while (at + unit <= block.size()) {
        if (isZero(at)) {
            if (!nameStarted) return names;  // an empty name ends the list
            ++names;
            nameStarted = false;
        } else {
            nameStarted = true;
        }
        at += unit;
    }
    return std::nullopt;
}

}  // namespace clips
