#pragma once

// One question of the mistake finder, as data for its wording.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/language.h"
#include "engine/step.h"

namespace nlt {

// What kind of question the finder asks.
enum class AskKind : std::uint8_t {
    Group, // a group of the failed question, as it stands there
    Step,  // one step of the failed question asked again, with the values it had there
    Fresh, // an expression that is not in the failed question
};

// One question of the finder, as data for its wording.
struct Ask {
    // The expression to work out.
    std::string text;
    // Where it stands in the failed question; nothing for a fresh expression.
    std::optional<TextRange> range;
    // What kind of question it is.
    AskKind kind = AskKind::Fresh;
    // Step: what the step does (a fold or a "Not").
    StepKind step = StepKind::Fold;
    // Step on a fold: its operator.
    Operator op = Operator::And;
    // Step: the left operand's value there (the operand of a "Not").
    char left = '\0';
    // Step on a fold: the right operand's value there.
    char right = '\0';
};

} // namespace nlt
