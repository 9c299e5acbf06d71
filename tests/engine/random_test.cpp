// The random sources: u always in [0, 1), clock reseeds in one instant differ.

#include <gtest/gtest.h>

#include <set>

#include "engine/random.h"

namespace {

TEST(UnitFromBits, UsesTheTop53BitsAndStaysBelowOne)
{
    EXPECT_EQ(nlt::UnitFromBits(0x7ffULL), 0.0);            // low 11 bits dropped
    EXPECT_EQ(nlt::UnitFromBits(1ULL << 63), 0.5);
    EXPECT_EQ(nlt::UnitFromBits(~0ULL), 1.0 - 0x1.0p-53);    // never rounds up to 1
}

TEST(ClockRandomSource, ReseedsInTheSameInstantStillDiffer)
{
    nlt::ClockRandomSource random;
    std::set<double> firsts;
    for (int i = 0; i < 2000; ++i) {
        random.Reseed();
        firsts.insert(random.Next());
    }
    EXPECT_EQ(firsts.size(), 2000u);
}

} // namespace
