// The random sources: u always in [0, 1), seeded runs repeat, clock seeds differ.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>

#include "engine/random.h"

namespace nlt {
namespace {

struct BitsRow {
    std::uint64_t bits;
    double expected;
};

// 53 high bits become the mantissa; the low 11 bits are dropped.
constexpr BitsRow kBitsRows[] = {
    {0, 0.0},
    {0x7ffULL, 0.0},
    {1ULL << 63, 0.5},
    {1ULL << 11, 0x1.0p-53},
    {~0ULL, 1.0 - 0x1.0p-53},
};

TEST(UnitFromBits, UsesTheTop53BitsAndStaysBelowOne)
{
    for (const BitsRow &row : kBitsRows) {
        EXPECT_EQ(UnitFromBits(row.bits), row.expected) << std::hex << row.bits;
        EXPECT_LT(UnitFromBits(row.bits), 1.0);
    }
}

TEST(SeededRandomSource, RepeatsPerSeedAndIsUniform)
{
    SeededRandomSource a(42), b(42), c(43);
    constexpr int kSamples = 100000;
    double sum = 0;
    int differ = 0;
    for (int i = 0; i < kSamples; ++i) {
        const double u = a.Next();
        b.Reseed(); // continues the same sequence
        ASSERT_EQ(u, b.Next());
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        differ += u != c.Next();
        sum += u;
    }
    EXPECT_GT(differ, kSamples - 10);
    // Mean of uniform [0, 1) is 1/2 with variance 1/12.
    EXPECT_NEAR(sum / kSamples, 0.5, 5 * std::sqrt(1.0 / 12 / kSamples));
}

TEST(ClockRandomSource, ReseedsInTheSameInstantStillDiffer)
{
    ClockRandomSource random;
    std::set<double> firsts;
    for (int i = 0; i < 2000; ++i) {
        random.Reseed();
        const double u = random.Next();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        firsts.insert(u);
    }
    EXPECT_EQ(firsts.size(), 2000u);
}

} // namespace
} // namespace nlt
