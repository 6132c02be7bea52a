#include "history/ContentHash.h"

#include <cstring>

namespace history {
namespace {
constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;

uint64_t Mix(uint64_t lane, uint64_t word) noexcept {
    lane ^= word * kPrime2;
    lane = (lane << 31) | (lane >> 33);
    return lane * kPrime1;
}

uint64_t Load(const char* p) noexcept {
    uint64_t word;
    std::memcpy(&word, p, sizeof(word));
    return word;
}
}  // namespace

uint64_t ContentHash(std::string_view bytes) noexcept {
    // Four independent lanes keep the multipliers busy on long texts.
    uint64_t a = kPrime1 ^ bytes.size(), b = kPrime2, c = kPrime1 + kPrime2, d = ~kPrime1;
    const char* p = bytes.data();
    size_t left = bytes.size();
    for (; left >= 32; p += 32, left -= 32) {
        a = Mix(a, Load(p));
        b = Mix(b, Load(p + 8));
        c = Mix(c, Load(p + 16));
        d = Mix(d, Load(p + 24));
    }
    char tail[32] = {};
    std::memcpy(tail, p, left);
    a = Mix(a, Load(tail));
    b = Mix(b, Load(tail + 8));
    c = Mix(c, Load(tail + 16));
    d = Mix(d, Load(tail + 24));
    uint64_t h = Mix(Mix(Mix(a, b), c), d);
    h ^= h >> 33;
    h *= kPrime2;
    h ^= h >> 29;
    return h;
}

}  // namespace history
