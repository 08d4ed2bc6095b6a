#include "affirmations/random.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace uplift {

TEST(UniformRandom, EveryRunDrawsTheSameRoughlyUniformSequenceInZeroToOne) {
    std::array<int, 100> counts{};
    UniformRandom random, again;
    for (int i = 0; i < 100'000; ++i) {
        const float r = random.Next();
        ASSERT_EQ(r, again.Next()) << "draw " << i;
        ASSERT_TRUE(r >= 0.0f && r < 1.0f) << "draw " << i << ": " << r;
        ++counts[static_cast<std::size_t>(r * 100)];
    }
    double chiSquare = 0;
    for (const int count : counts)
        chiSquare += (count - 1000.0) * (count - 1000.0) / 1000.0;
    // 99 degrees of freedom: 148.2 is the 0.1% tail. The generator is fixed, so this never flickers.
    EXPECT_LT(chiSquare, 148.2);
    EXPECT_GT(chiSquare, 60.0) << "too even to be random";
}

TEST(UniformRandom, IndexIsTheIntegerPartOfTheDrawTimesCountPlusOneInsideTheList) {
    UniformRandom draws, indexes;
    for (const std::int64_t count : {1, 2, 3, 10, 123457})
        for (int i = 0; i < 200; ++i)
            ASSERT_EQ(indexes.NextIndex(count), static_cast<std::int64_t>(double(draws.Next()) * count) + 1)
                << "count " << count;

    using Limits = std::numeric_limits<std::int64_t>;
    for (const std::int64_t count :
         {std::int64_t{0}, std::int64_t{-5}, Limits::min(), (std::int64_t{1} << 53) + 1, Limits::max()}) {
        UniformRandom random;
        for (int i = 0; i < 2000; ++i) {
            const std::int64_t index = random.NextIndex(count);
            ASSERT_TRUE(count < 1 ? index == 0 : index >= 1 && index <= count) << count << " gave " << index;
        }
    }
}

} // namespace uplift
