#pragma once
// The generator that draws affirmations from the list. It starts from the same state at every
// start of the program, so a run shows the list in the same order as the run before.

#include <cstdint>

namespace uplift {

class UniformRandom {
public:
    // A uniform number in [0, 1).
    float Next();
    // 1-based index of a list entry: the integer part of Next() * count + 1; 0 when count < 1.
    std::int64_t NextIndex(std::int64_t count);

private:
    std::uint64_t state_ = 0x5DEECE66DULL;
};

} // namespace uplift
