#include "clips/WaveBlock.h"

#include <algorithm>

#include "common/LittleEndian.h"

namespace clips {

std::optional<uint64_t> DeclaredRiffLength(std::span<const uint8_t> block) {
    std::optional<uint32_t> chunkSize = common::ReadLe32(block, 4);  // the header's last four bytes
    if (!chunkSize) return std::nullopt;
    return uint64_t{*chunkSize} + kRiffHeaderSize;
}

std::optional<size_t> WaveBytesToCopy(std::span<const uint8_t> block) {
    std::optional<uint64_t> declared = DeclaredRiffLength(block);
    if (!declared) return std::nullopt;
    return static_cast<size_t>(std::min<uint64_t>(*declared, block.size()));
}

}  // namespace clips
