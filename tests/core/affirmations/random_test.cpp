#include "affirmations/random.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace uplift {
namespace {

TEST(UniformRandom, EveryRunDrawsTheSameSequence) {
    UniformRandom first, second;
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(first.Next(), second.Next()) << "draw " << i;
}

TEST(UniformRandom, StaysInsideZeroToOneOnWholeSteps) {
    UniformRandom random;
    for (int i = 0; i < 100000; ++i) {
        const float r = random.Next();
        ASSERT_GE(r, 0.0f) << "draw " << i;
        ASSERT_LT(r, 1.0f) << "draw " << i;
        ASSERT_EQ(r * 16777216.0f, std::floor(r * 16777216.0f)) << "draw " << i << " is a multiple of 2^-24";
    }
}

TEST(UniformRandom, IsRoughlyUniform) {
    constexpr int kBuckets = 100, kDraws = 100000;
    std::array<int, kBuckets> counts{};
    UniformRandom random;
    for (int i = 0; i < kDraws; ++i)
        ++counts[static_cast<int>(random.Next() * kBuckets)];
    double chiSquare = 0;
    constexpr double expected = double(kDraws) / kBuckets;
    for (const int count : counts)
        chiSquare += (count - expected) * (count - expected) / expected;
    // 99 degrees of freedom: 148.2 is the 0.1% tail. The generator is fixed, so this never flickers.
    EXPECT_LT(chiSquare, 148.2);
    EXPECT_GT(chiSquare, 60.0) << "too even to be random";
}

TEST(UniformRandom, DrawsIndexesInsideTheList) {
    struct Case {
        std::int64_t Count;
        std::int64_t Low, High; // expected bounds
    };
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr Case cases[]{
        {0, 0, 0},
        {-5, 0, 0},
        {std::numeric_limits<std::int64_t>::min(), 0, 0},
        {1, 1, 1},
        {2, 1, 2},
        {7, 1, 7},
        {32767, 1, 32767},
        {(std::int64_t{1} << 53) + 1, 1, (std::int64_t{1} << 53) + 1},
        {kMax, 1, kMax},
    };
    for (const auto& c : cases) {
        UniformRandom random;
        for (int i = 0; i < 2000; ++i) {
            const std::int64_t index = random.NextIndex(c.Count);
            ASSERT_GE(index, c.Low) << "count " << c.Count;
            ASSERT_LE(index, c.High) << "count " << c.Count;
        }
    }
}

TEST(UniformRandom, IndexIsTheIntegerPartOfTheDrawTimesCountPlusOne) {
    UniformRandom draws, indexes;
    for (const std::int64_t count : {1, 2, 3, 10, 1000, 123457}) {
        for (int i = 0; i < 200; ++i) {
            const float r = draws.Next();
            ASSERT_EQ(indexes.NextIndex(count), static_cast<std::int64_t>(double(r) * count) + 1)
                << "count " << count;
        }
    }
}

TEST(UniformRandom, ReachesEveryIndexOfASmallList) {
    UniformRandom random;
    std::array<int, 5> seen{};
    for (int i = 0; i < 1000; ++i)
        ++seen[static_cast<std::size_t>(random.NextIndex(5) - 1)];
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_GT(seen[i], 150) << "index " << i + 1;
}

} // namespace
} // namespace uplift
