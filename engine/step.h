#pragma once

// The steps of the working of an expression: what each step does and where
// it stands in the text. Shared by the scanner and the working.

#include <cstddef>
#include <cstdint>

#include "engine/language.h"

namespace nlt {

// Characters [begin, begin + length) of the explained text, counted from 0.
struct TextRange {
    std::size_t begin = 0;
    std::size_t length = 0;
};

// What one step of the working does.
enum class StepKind : std::uint8_t {
    CancelNots, // an even number of "Not " prefixes cancels; range: the prefixes that go
    Negate,     // "Not 1" is "2", "Not 2" is "1"; range: the prefix and its operand
    NotZero,    // "Not 0" takes the value its deciding operator gives; range: the prefix and its operand
    Fold,       // two operands combine by the truth table; range: the operator word and its right
                // operand, from the left operand's start for the first term of a chain
};

// One step of the working.
struct Step {
    // What the step does.
    StepKind kind = StepKind::Fold;
    // Index in Explanation::groups of the group it works in.
    std::size_t group = 0;
    // Where it stands in the explained text.
    TextRange range;
    // Fold: the left operand's value. Negate and NotZero: the operand's value before the prefix.
    char left = '\0';
    // Fold: the operator. NotZero: the operator that decides it.
    Operator op = Operator::And;
    // Fold: the right operand's value.
    char right = '\0';
    // NotZero: decided by the operator before it ("For Not 0"), else by the one after it.
    bool operatorBefore = false;
    // The value the step yields (nothing for CancelNots).
    char value = '\0';
};

// Index of no group: the parent of the outermost chain.
inline constexpr std::size_t kNoGroup = static_cast<std::size_t>(-1);

} // namespace nlt
