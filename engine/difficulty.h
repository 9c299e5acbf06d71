#pragma once

#include <cstdint>

namespace nlt {

// The four program-wide counters that set the difficulty of the next question
// and the worth of the current one. Widths are part of the behaviour.
struct TestCounters {
    // Number of top-level chains of the next expression; also scales every chain.
    std::uint8_t TermCount = 0;
    // Points the question on show is worth; rebuilt by every question build.
    std::int16_t QuestionScore = 0;
    // Nesting rounds applied to each top-level chain (none while 1 or less).
    std::int16_t NestingRounds = 0;
    // Level counter shown in the title; 0 to 19.
    std::int16_t Level = 0;
};

// Advances the counters by one question (shared by both generators); sets
// QuestionScore to its fixed part. Never overflows: see difficulty.cpp.
void AdvanceDifficulty(TestCounters &counters);

} // namespace nlt
