#include "clips/WaveBlock.h"

#include <algorithm>

namespace clips {

std::optional<uint64_t> DeclaredRiffLength(std::span<const uint8_t> block) {
    if (block.size() < kRiffHeaderSize) return std::nullopt;
    uint32_t chunkSize = uint32_t{block[4]} | uint32_t{block[5]} << 8 | uint32_t{block[6]} << 16 |
                         uint32_t{block[7]} << 24;
    return uint64_t{chunkSize} + kRiffHeaderSize;
}

std::optional<size_t> WaveBytesToCopy(std::span<const uint8_t> block) {
    std::optional<uint64_t> declared = DeclaredRiffLength(block);
    if (!declared) return std::nullopt;
    return static_cast<size_t>(std::min<uint64_t>(*declared, block.size()));
}

}  // namespace clips
