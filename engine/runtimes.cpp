#include "engine/runtimes.h"

#include <algorithm>
#include <chrono>

namespace nlt {

std::int64_t SteadyClock::NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void RunTimes::Add(int level, std::int64_t ms)
{
    const auto kept = static_cast<std::uint32_t>(std::clamp<std::int64_t>(ms, 0, kMaxMs));
    const auto shown = static_cast<std::uint32_t>(std::clamp(level, 0, kMaxLevel));
    packed_.push_back(shown << 27 | kept);
    total_ += kept;
}

} // namespace nlt
