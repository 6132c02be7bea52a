#pragma once
// A fast 64-bit hash of a byte string, for caches keyed by content.
#include <cstdint>
#include <string_view>

namespace history {

uint64_t ContentHash(std::string_view bytes) noexcept;

}  // namespace history
