#pragma once
// Little-endian integers in byte blocks (BMP headers, CF_HDROP, RIFF, Personal.dat,
// UTF-16LE), read and written in one place. A read checks the bounds: an integer
// whose bytes run past the end is nothing.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace common {

template <typename Unsigned>
constexpr std::optional<Unsigned> ReadLittleEndian(std::span<const uint8_t> bytes, size_t at) noexcept {
    if (at > bytes.size() || bytes.size() - at < sizeof(Unsigned)) return std::nullopt;
    Unsigned value = 0;
    for (size_t k = sizeof(Unsigned); k-- > 0;) value = static_cast<Unsigned>(value << 8 | bytes[at + k]);
    return value;
}

constexpr std::optional<uint16_t> ReadLe16(std::span<const uint8_t> bytes, size_t at) noexcept {
    return ReadLittleEndian<uint16_t>(bytes, at);
}
constexpr std::optional<uint32_t> ReadLe32(std::span<const uint8_t> bytes, size_t at) noexcept {
    return ReadLittleEndian<uint32_t>(bytes, at);
}

inline void AppendLe16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
inline void AppendLe32(std::vector<uint8_t>& out, uint32_t value) {
    AppendLe16(out, static_cast<uint16_t>(value));
    AppendLe16(out, static_cast<uint16_t>(value >> 16));
}

}  // namespace common
