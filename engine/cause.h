#pragma once

// A cause of a wrong answer and the answered questions it is read from.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/language.h"
#include "engine/step.h"

namespace nlt {

// One answered question of a run: the text as shown, the button's value and
// whether it was asked in the two-valued test.
struct AnsweredQuestion {
    std::string text;
    char given = '\0';
    bool binary = false;
};

// The family of a cause.
enum class CauseKind : std::uint8_t {
    WordAsWord,            // an operator word read as another word of the same test
    TableCell,             // one cell of one truth table misremembered (both operand orders)
    TableCellOneOrder,     // one cell of one truth table misremembered in the written operand order only
    NotZeroAsZero,         // "Not 0" taken as 0
    NotZeroWrongNeighbour, // "Not 0" decided by the operator after it even where one stands before it
    NotIgnored,            // every "Not" ignored
    NotNegatesRest,        // "Not" negates the rest of its chain instead of one operand
    AndFirst,              // And, Nand and Xand folded before the other words, as in school algebra
    RightToLeft,           // every chain folded from its right end
    Slip,                  // a one-off slip at one step of the failed question
    LastStep,              // the last step taken wrong: offered only when nothing else gives the answer
};

// One cell of a truth-table row: the right operand, the value the table gives
// and the value the person uses there (the same where they work it right).
struct TruthCell {
    char right = '\0';
    char value = '\0';
    char used = '\0';
};

// The truth-table row that shows a cause: one operator with one left operand.
struct TruthRow {
    // The operator of the row.
    Operator op = Operator::And;
    // The left operand of every cell of the row.
    char left = '\0';
    // The row's cells in column order: two in the two-valued test, three in the
    // other; every cell the cause changes has a used value other than its value.
    std::vector<TruthCell> cells;
};

// Where a step stands in the failed question, as the sentences name it: which
// of the question's words it is, the operands as written and their values.
struct StepPlace {
    // Fold: an operator's step. Negate or NotZero: a "Not" step.
    StepKind kind = StepKind::Fold;
    // Fold: the operator.
    Operator op = Operator::And;
    // Which of the question's words of its kind ("Not" for a "Not" step) it is, from 1.
    std::size_t ordinal = 1;
    // How many words of that kind the question holds.
    std::size_t count = 1;
    // Fold: the left operand as written (for a later term, the chain before it).
    // "Not" step: the operand after the prefix.
    std::string left;
    // Fold: the right operand as written.
    std::string right;
    // The values the operands had when the step was worked.
    char leftValue = '\0';
    char rightValue = '\0';
};

// One cause of the run's last answer.
struct Cause {
    // How likely this is what happened, 0 to 1.
    double probability = 0.0;
    // Where it acts in the failed question, in text order (a one-off slip: its step).
    std::vector<TextRange> places;
    // Its family.
    CauseKind kind = CauseKind::Slip;
    // WordAsWord: the word as written. TableCell, Slip and LastStep on a fold: the operator.
    Operator word = Operator::And;
    // WordAsWord: the word it is read as.
    Operator readAs = Operator::And;
    // TableCell and TableCellOneOrder (the cell as written, left op right): the cell's left operand. Slip and LastStep: the
    // step's left operand (the operand of a "Not").
    char left = '\0';
    // TableCell, TableCellOneOrder, Slip and LastStep on a fold: the right operand.
    char right = '\0';
    // TableCell and TableCellOneOrder: the value used for the cell. Slip and LastStep: the value the step was taken as.
    char used = '\0';
    // TableCell and TableCellOneOrder: the table's value. Slip and LastStep: the step's right value.
    char correct = '\0';
    // Slip and LastStep: what the slipped step does.
    StepKind step = StepKind::Fold;
    // Slip and LastStep: a fingerprint of the failed question's text, where alone the slip acts.
    std::size_t question = 0;
    // The step at the first place; nothing for a rule that acts on the whole chain.
    std::optional<StepPlace> place;
    // The truth-table row that shows it, for a word or cell misreading and for a
    // slip or last step on a fold.
    std::optional<TruthRow> row;
};

// True for a consistent misreading, false for a one-off slip and the last step.
constexpr bool IsMisreading(CauseKind kind) { return kind != CauseKind::Slip && kind != CauseKind::LastStep; }

} // namespace nlt
