#pragma once

// The pieces the diagnosis and the mistake finder share: every misreading of
// a test with its prior weight, the rules a cause reads by, a text's value by a
// cause, and the parts of a failed question that can be asked again.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cause.h"
#include "engine/explain.h"
#include "engine/scanner.h"

namespace nlt::detail {

// Every consistent misreading of one test, each with its prior weight as its
// probability (see readings.cpp for the priors and why).
const std::vector<Cause> &AllMisreadings(bool binary);

// The prior weight of one one-off slip: one given step taken as one given value.
inline constexpr double kSlipPrior = 0.015;

// The rules a misreading reads by (the language's own for a slip).
ReadingRules RulesOf(const Cause &cause);

// The fingerprint of a failed question's text that a slip keeps.
std::size_t Fingerprint(std::string_view text);

// The value of text read by cause; a slip acts only in its own question, where a
// step of its kind covers its first place. Empty for a text that is no expression.
std::optional<char> ValueUnder(const Cause &cause, std::string_view text);

// The places where a misreading acts in text: the steps its rules change.
std::vector<TextRange> PlacesOf(const Cause &cause, std::string_view text);

// A part of the failed question that can be asked again: a group, or one term
// or "Not" with the values it had.
struct AskablePart {
    std::string text;              // the expression to work out
    std::vector<TextRange> ranges; // every place in the failed question it stands for
    bool term = false;             // one step with its values, not a group
};

// The groups (the whole question excepted) and terms of a worked question,
// one part per distinct text, shortest first.
std::vector<AskablePart> AskableParts(std::string_view text, const Explanation &working);

// A cause's value for a part: with the cause at work (active), or, for a slip,
// with the slip not repeated.
char PartValue(const Cause &cause, const AskablePart &part, bool active, char right);

// Where step stands in the question text, with its operands as written.
StepPlace PlaceOf(std::string_view text, const Explanation &working, const Step &step);

// The truth-table row of op with left operand left in a test, every cell used rightly.
TruthRow RowOf(Operator op, char left, bool binary);

// The same row as a person with the cause works it: every cell the cause
// changes carries the value it uses.
TruthRow RowUnder(const Cause &cause, Operator op, char left, bool binary);

} // namespace nlt::detail
