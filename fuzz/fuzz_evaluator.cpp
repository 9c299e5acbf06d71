// Feeds arbitrary bytes to the evaluator and to the literal reference and stops
// on the first text where they differ: another value, or a value against an error.
// The working of the text must give the evaluator's value, with steps exactly
// when the syntax check finds no problem.

#include "engine/evaluator.h"
#include "engine/explain.h"
#include "tests/reference/literal_evaluator.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Longer inputs are skipped: the literal reference is quadratic.
constexpr std::size_t kMaxInput = 4096;

// Stops the run when evaluate and the literal outcome disagree.
template <typename Evaluate>
void Check(Evaluate evaluate, std::string_view text, const std::optional<std::string> &literal)
{
    const bool literalIsValue = nlt::reference::IsValueOutcome(literal);
    try {
        const std::string value = evaluate(text);
        if (!literalIsValue || value != *literal)
            __builtin_trap();
    } catch (const nlt::EvaluationError &) {
        if (literalIsValue)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > kMaxInput)
        return 0;
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    Check([](std::string_view t) { return nlt::EvaluateExpression(t); }, text,
          nlt::reference::LiteralEvaluate(text));
    Check([](std::string_view t) { return nlt::ReduceGroup(t); }, text, nlt::reference::LiteralReduceGroup(text));
    Check([](std::string_view t) {
        const nlt::Explanation working = nlt::ExplainExpression(t);
        if (working.groups.empty() != nlt::FindSyntaxProblem(t).has_value())
            __builtin_trap();
        return std::string(1, working.value);
    }, text, nlt::reference::LiteralEvaluate(text));
    return 0;
}
