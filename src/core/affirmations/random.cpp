#include "affirmations/random.h"

#include <algorithm>
#include <cmath>

namespace uplift {

float UniformRandom::Next() {
    // One splitmix64 step: a full-period state walk with a well-mixed output.
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    // 24 bits fill a float's mantissa exactly, so the result is never rounded up to 1.
    return static_cast<float>(z >> 40) * 0x1p-24f;
}

std::int64_t UniformRandom::NextIndex(std::int64_t count) {
    if (count < 1) return 0;
    const double limit = static_cast<double>(count);
    const double scaled = std::floor(static_cast<double>(Next()) * limit);
    // Counts beyond 2^53 are not exact in a double; keep the index inside the list regardless.
    if (scaled >= limit) return count;
    return std::clamp<std::int64_t>(static_cast<std::int64_t>(scaled) + 1, 1, count);
}

} // namespace uplift
