#pragma once
// How much of a CF_WAVE block is the sound: the RIFF header says how long the
// file is, the block says how much is really there.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace clips {

inline constexpr size_t kRiffHeaderSize = 8;  // "RIFF" and the 32-bit chunk size

// The length of the whole RIFF file as its header declares it: the 32-bit
// little-endian chunk size at offset 4, plus 8. Nothing when the block is too
// short to hold that header.
std::optional<uint64_t> DeclaredRiffLength(std::span<const uint8_t> block);

// The bytes to copy from the block: the declared length, cut to what the block
// holds. Nothing when the block is too short to hold the header.
std::optional<size_t> WaveBytesToCopy(std::span<const uint8_t> block);

}  // namespace clips
