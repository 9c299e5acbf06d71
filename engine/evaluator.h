#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace nlt {

// Thrown when a text is not an expression of the question language; the
// message names the offending term or position.
class EvaluationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reduces an expression text to its value character "0", "1" or "2": innermost
// group first, inside a group negations and then terms from left to right.
// Throws EvaluationError for any text that does not reduce to one value.
std::string EvaluateExpression(std::string_view text);

// Reduces one group "(...)" or one flat chain without inner parentheses to its
// value character. Throws EvaluationError like EvaluateExpression.
std::string ReduceGroup(std::string_view group);

} // namespace nlt
