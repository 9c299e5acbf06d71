#pragma once

// The evaluator carried out literally, pass by pass, on a working text: the
// yardstick for the engine's evaluator. Quadratic in the text length.

#include <optional>
#include <string>
#include <string_view>

namespace nlt::reference {

// Runs the whole-expression algorithm on text. Returns the working text at the
// end (normally one value character, but a malformed text may end as anything,
// such as "" or "x"); empty when the algorithm meets a term with no row, or
// when a pass fails to shorten the working text.
std::optional<std::string> LiteralEvaluate(std::string_view text);

// Runs the one-group algorithm on group, with the same results as LiteralEvaluate.
std::optional<std::string> LiteralReduceGroup(std::string_view group);

// True when an outcome is exactly one of "0", "1", "2".
bool IsValueOutcome(const std::optional<std::string> &outcome);

} // namespace nlt::reference
