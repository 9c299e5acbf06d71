#pragma once

// The working of an expression, step by step, in the order the evaluator
// reduces it: groups innermost first and from left to right; inside a group
// the "Not Not" pairs that cancel, each "Not 1" / "Not 2", each "Not 0" with
// the operator that decides it, then the terms folded from left to right.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/language.h"
#include "engine/step.h"

namespace nlt {

// One group "(...)", or the outermost chain, with its own steps.
struct GroupWorking {
    // With its parentheses; the whole text for the outermost chain.
    TextRange range;
    // Index of the group that holds it; kNoGroup for the outermost chain.
    std::size_t parent = kNoGroup;
    // Its own steps are Explanation::steps[firstStep, firstStep + stepCount).
    std::size_t firstStep = 0;
    std::size_t stepCount = 0;
    // The value the group reduces to.
    char value = '\0';
};

// The working of one expression text.
struct Explanation {
    // The value character the text evaluates to, as EvaluateExpression gives it.
    char value = '\0';
    // Every group in the order it is reduced (each after the groups inside it),
    // the outermost chain last. Empty for text outside the question language
    // that the evaluator still reduces to a value.
    std::vector<GroupWorking> groups;
    // The steps, group after group in that order.
    std::vector<Step> steps;
};

// Explains how text reduces to its value. Throws EvaluationError exactly where
// EvaluateExpression does; cost and memory grow linearly with the text.
Explanation ExplainExpression(std::string_view text);

// What keeps a text out of the question language.
enum class ProblemKind : std::uint8_t {
    Empty,           // the text is empty
    OperandMissing,  // the text ends where an operand must follow
    LeadingBlank,    // the text begins with a blank
    BlankAfterOpen,  // a blank follows "("
    DoubleBlank,     // two blanks in a row
    BadDigit,        // piece is a digit that is no value
    NotWithoutBlank, // "Not" without its blank
    NotSpelled,      // piece is "Not" in other letter cases
    WordForOperand,  // piece is a word where an operand must stand
    CharForOperand,  // piece is a character where an operand must stand
    BlankBeforeWord, // a letter follows an operand without a blank
    WordMissing,     // no operator word follows an operand
    TermCut,         // piece is a term that ends after its operator word
    BlankAfterWord,  // piece is an operator word without its blank after
    WordLowerCase,   // piece is an operator word begun in lower case
    WordSpelled,     // piece is an operator word in other letter cases; spelled is its spelling
    NotAsOperator,   // "Not" stands where an operator word must
    NoSuchWord,      // piece is no operator word
    StrayClose,      // a ")" without its "("
    Unclosed,        // a "(" never closed
    LoneNotZero,     // "Not 0" with no operator beside it
};

// Why a text is not an expression of the question language, and where.
struct SyntaxProblem {
    // Index of the character where the text leaves the language, from 0.
    std::size_t position = 0;
    // What is wrong there.
    ProblemKind kind = ProblemKind::Empty;
    // The word, character or term at fault, as typed.
    std::string piece;
    // WordSpelled: the operator word as it is written.
    std::string spelled;
};

// The first place where text leaves the question language; nothing for an
// expression of it.
std::optional<SyntaxProblem> FindSyntaxProblem(std::string_view text);

// One step on which a single slip would have given another answer: had the
// step been taken as takenAs, with all else worked right, the expression
// would be chosen.
struct Slip {
    // Index in Explanation::steps.
    std::size_t step = 0;
    // The wrong value the step would have been taken as.
    char takenAs = '\0';
};

// Every single slip (a Fold, Negate or NotZero step's value taken as another
// value) that turns the explanation's value into chosen, in step order, a step
// once for each value that does; empty when none does, when chosen is the
// value itself, and for an explanation without steps. Linear in the steps.
std::vector<Slip> FindSlips(const Explanation &explanation, char chosen);

} // namespace nlt
