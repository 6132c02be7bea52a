#include "clips/DropFiles.h"

#include <cstring>

#include "common/CodePage.h"
#include "common/LittleEndian.h"

namespace clips {
namespace {
constexpr std::string_view kLineBreak = "\r\n";
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
    auto put = [&](char16_t unit) { common::AppendLe16(block, unit); };
    for (std::string_view name : SplitFileList(fileList)) {
        for (char16_t unit : common::Utf8ToUtf16(name)) put(unit);
        put(0);
    }
    put(0);
    return block;
}

std::optional<size_t> CountDropFiles(std::span<const uint8_t> block) {
    std::optional<uint32_t> offset = common::ReadLe32(block, 0), wide = common::ReadLe32(block, 16);
    if (block.size() < kDropFilesHeaderSize || !offset || !wide) return std::nullopt;
    if (*offset < kDropFilesHeaderSize || *offset >= block.size()) return std::nullopt;
    size_t unit = *wide != 0 ? 2 : 1;
    auto isZero = [&](size_t at) { return block[at] == 0 && (unit == 1 || block[at + 1] == 0); };
    size_t at = *offset, names = 0;
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
