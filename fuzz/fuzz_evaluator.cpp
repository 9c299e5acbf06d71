// Feeds arbitrary bytes to the evaluator and to the literal reference and stops
// on the first text where they differ: another value, or a value against an error.
// The working of the text must give the evaluator's value, with steps exactly
// when the syntax check finds no problem. Under every rule of reading, the
// scanner's two ways of folding (as the operands come, or by chain when the
// steps are wanted) must agree.

#include "engine/evaluator.h"
#include "engine/explain.h"
#include "engine/scanner.h"
#include "tests/reference/literal_evaluator.h"

#include <cstddef>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Longer inputs are skipped: the literal reference is quadratic.
constexpr std::size_t kMaxInput = 4096;

// Stops the run when evaluate and the literal outcome disagree.
template <typename Evaluate> void Check(Evaluate evaluate, std::string_view text, const std::optional<std::string> &literal)
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

// Sees every step and changes none, so the scanner folds chain by chain.
struct StepObserver {
    static constexpr bool kWantsSteps = true;
    void Opened(std::size_t) {}
    char Adjust(const nlt::Step &step) { return step.value; }
    void Step(const nlt::Step &, bool) {}
    void Closed(nlt::TextRange, char) {}
};

// Reading rules whose two ways of folding must agree.
const std::array<nlt::ReadingRules, 4> kRules = [] {
    std::array<nlt::ReadingRules, 4> rules{};
    rules[1].notZero = nlt::NotZeroRule::AfterFirst;
    rules[2].notZero = nlt::NotZeroRule::StaysZero;
    rules[3].notScope = nlt::NotScope::Ignored;
    rules[3].readAs[0] = nlt::Operator::Nor;
    return rules;
}();

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > kMaxInput)
        return 0;
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    Check([](std::string_view t) { return nlt::EvaluateExpression(t); }, text, nlt::reference::LiteralEvaluate(text));
    Check([](std::string_view t) { return nlt::ReduceGroup(t); }, text, nlt::reference::LiteralReduceGroup(text));
    Check(
        [](std::string_view t) {
            const nlt::Explanation working = nlt::ExplainExpression(t);
            if (working.groups.empty() != nlt::FindSyntaxProblem(t).has_value())
                __builtin_trap();
            return std::string(1, working.value);
        },
        text, nlt::reference::LiteralEvaluate(text));
    for (const nlt::ReadingRules &rules : kRules) {
        nlt::SilentObserver silent;
        StepObserver stepping;
        if (nlt::ScanText(text, rules, silent) != nlt::ScanText(text, rules, stepping))
            __builtin_trap();
    }
    return 0;
}
