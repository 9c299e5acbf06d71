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

// Highest Level; also the highest operator draw number in use.
inline constexpr int kMaxLevel = 19;

// Level above which chains carry negation prefixes.
inline constexpr int kNegationLevel = 13;

// Most operators one chain can draw: 1 + floor(u * termCount / 3) with u < 1.
int MaxChainOperators(int termCount);

// Largest QuestionScore a question built at these counters can reach when it
// is entered with the same TermCount (fixed part plus every chain at its most
// operators).
int MaxQuestionScore(int termCount, int nestingRounds);

// Starts a run in a freshly loaded main window: TermCount 1, NestingRounds
// and QuestionScore 0; Level keeps the value the last run reached.
void StartRun(TestCounters &counters);

// Starts another test from level 0 ("Sit Another Test"): Level, TermCount and
// NestingRounds 0; the run that follows sets the rest.
void StartAnotherTest(TestCounters &counters);

// Advances the counters by one question (shared by both generators); sets
// QuestionScore to 100 x TermCount on entry. Stops raising TermCount and
// NestingRounds where a further step could overflow; see difficulty.cpp.
void AdvanceDifficulty(TestCounters &counters);

} // namespace nlt
