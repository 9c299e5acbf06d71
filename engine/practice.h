#pragma once

// Practice on one misreading: short expressions of the question language drawn
// for the rule a person reads wrongly, most of them where that reading gives
// another value than the right one, the rest near misses where it does not,
// so that a person cannot pass by turning every answer round.

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/cause.h"
#include "engine/random.h"
#include "engine/step.h"

namespace nlt {

// The first step a misreading takes otherwise than the language does.
struct PracticeStep {
    // The step as the person who misreads works it (its value is the misread one).
    Step misread{};
    // The same step as the language works it, when it stands at the same place.
    std::optional<Step> right{};
    // The case of the rule it shows, in the question's words: "1 Nand 2", "For Not 0", "Not 1".
    std::string caseName{};
    // A fold of a word or cell misreading: its operator's row, the misread cell marked.
    std::optional<TruthRow> row{};
};

// One practice expression.
struct PracticeItem {
    // The expression as shown.
    std::string text{};
    // Its value by the language.
    char right = '\0';
    // Its value as the person with the misreading works it (AnswerUnder).
    char misread = '\0';
    // The first step the misreading changes; none when it reads every step rightly.
    std::optional<PracticeStep> step{};
    // Number of operator words in it.
    int operators = 0;
    // Deepest nesting of its parentheses.
    int depth = 0;
};

// Number of expressions in one drill.
inline constexpr std::size_t kDrillLength = 10;

// Most operator words of one practice expression.
inline constexpr int kPracticeMaxOperators = 4;

// Most levels of parentheses of one practice expression.
inline constexpr int kPracticeMaxDepth = 2;

// The fewest operators with which the misreading can change a value: two for a
// rule on the order of a chain or on the operator after "Not 0", else one.
int PracticeMinOperators(const Cause &cause);

// Draws one expression of the test with `operators` operator words (kept
// within the bounds above) that the misreading changes when changing is set,
// and otherwise a near miss that holds what the rule is about but keeps its
// value; never one of avoid. Only for a misreading (IsMisreading).
PracticeItem DrawPractice(const Cause &cause, bool binary, int operators, bool changing, RandomSource &random,
    const std::set<std::string> &avoid = {});

// A drill of kDrillLength expressions growing from the fewest operators to
// four, all different, seven or eight of them changed by the misreading.
std::vector<PracticeItem> DrawDrill(const Cause &cause, bool binary, RandomSource &random);

} // namespace nlt
