#pragma once

#include <string>
#include <vector>

#include "engine/difficulty.h"
#include "engine/random.h"

namespace nlt {

// A question as it is put on show: built, evaluated and worth its score.
struct Question {
    // The expression text, exactly as shown and evaluated; empty for no question.
    std::string text;
    // The points it is worth: QuestionScore after its build.
    int worth = 0;
    // Its value character, '0', '1' or '2'.
    char value = '0';
    // The level shown with it: Level on entry to its build.
    int level = 0;
    // Whether the two-valued test built it.
    bool binary = false;
};

// Builds one random three-valued chain; adds 1 to QuestionScore per operator.
std::string MakeTertiaryChain(TestCounters &counters, RandomSource &random);

// Builds one random two-valued chain; adds 1 to QuestionScore per operator.
std::string MakeBinaryChain(TestCounters &counters, RandomSource &random);

// The drawn parts of one question before they are joined into its text.
struct QuestionParts {
    // Top-level chains 1 to TermCount, nested.
    std::vector<std::string> chains;
    // Joining operator texts (" Or ") in front of chains 2 to TermCount.
    std::vector<std::string> joins;
    // Whether each chain stands in parentheses in the text; the first always does.
    std::vector<bool> grouped;
};

// Advances the difficulty and draws a three-valued question; QuestionScore
// ends as its worth. No window, no evaluation.
QuestionParts BuildTertiaryParts(TestCounters &counters, RandomSource &random);

// Advances the difficulty and draws a two-valued question; QuestionScore
// ends as its worth. No window, no evaluation.
QuestionParts BuildBinaryParts(TestCounters &counters, RandomSource &random);

// The expression text of a question: chain 1 grouped, then each joining
// operator and its chain.
std::string JoinParts(const QuestionParts &parts);

// Reseeds, advances the difficulty, and builds and evaluates a new
// three-valued question; QuestionScore ends as its worth.
Question NewTertiaryQuestion(TestCounters &counters, RandomSource &random);

// Reseeds, advances the difficulty, and builds and evaluates a new two-valued
// question; QuestionScore ends as its worth.
Question NewBinaryQuestion(TestCounters &counters, RandomSource &random);

} // namespace nlt
