#include "engine/difficulty.h"

#include <algorithm>
#include <limits>

namespace nlt {

namespace {

constexpr int kMaxScore = std::numeric_limits<std::int16_t>::max();
constexpr int kMaxTermCount = std::numeric_limits<std::uint8_t>::max();

} // namespace

int MaxChainOperators(int termCount) { return 1 + std::max(termCount - 1, 0) / 3; }

int MaxQuestionScore(int termCount, int nestingRounds)
{
    // Every top-level chain, plus one sub-chain per nesting round when rounds run.
    const int chainsPerSlot = 1 + (nestingRounds > 1 ? nestingRounds : 0);
    return 100 * termCount + 10 * nestingRounds * termCount + termCount * chainsPerSlot * MaxChainOperators(termCount);
}

void StartRun(TestCounters &counters)
{
    counters.TermCount = 1;
    counters.NestingRounds = 0;
    counters.QuestionScore = 0;
}

void StartAnotherTest(TestCounters &counters)
{
    counters.Level = 0;
    counters.TermCount = 0;
    counters.NestingRounds = 0;
}

void AdvanceDifficulty(TestCounters &counters)
{
    counters.QuestionScore = static_cast<std::int16_t>(100 * counters.TermCount);
    counters.Level = static_cast<std::int16_t>(std::min(counters.Level + 1, kMaxLevel));

    int rounds = counters.NestingRounds + 1;
    int terms = counters.TermCount;
    if (rounds > terms) {
        terms += 1;
        rounds = std::max(terms / 2, 1);
    }
    // Difficulty cap: a step whose worst-case question could carry QuestionScore
    // past 32767 or TermCount past 255 is not taken, so the run stays at the
    // highest difficulty that fits, forever. The check uses the new TermCount as
    // the entry value, so repeating a question at the cap always fits too. From
    // the start state this stops the rise at TermCount 37, NestingRounds 33.
    if (terms > kMaxTermCount || MaxQuestionScore(terms, rounds) > kMaxScore) {
        return;
    }
    counters.TermCount = static_cast<std::uint8_t>(terms);
    counters.NestingRounds = static_cast<std::int16_t>(rounds);
}

} // namespace nlt
