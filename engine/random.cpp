#include "engine/random.h"

#include <chrono>

namespace nlt {

double UnitFromBits(std::uint64_t bits)
{
    // 53 bits fill a double's mantissa exactly: the largest result is 1 - 2^-53.
    return static_cast<double>(bits >> 11) * 0x1.0p-53;
}

ClockRandomSource::ClockRandomSource() { Reseed(); }

void ClockRandomSource::Reseed()
{
    // The clock alone repeats within its resolution; the device words and the
    // reseed count make every seed differ even then.
    const auto ticks = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    ++reseeds_;
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32), device_(), device_(),
        static_cast<std::uint32_t>(reseeds_), static_cast<std::uint32_t>(reseeds_ >> 32)};
    engine_.seed(seed);
}

double ClockRandomSource::Next() { return UnitFromBits(engine_()); }

double SeededRandomSource::Next() { return UnitFromBits(engine_()); }

} // namespace nlt
