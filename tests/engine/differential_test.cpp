// The evaluator against the literal reference on many random texts, well-formed
// and malformed: the same value, or an error where the literal algorithm ends
// without a value. NLT_DIFF_SEED picks another seed.

#include "engine/evaluator.h"
#include "engine/language.h"
#include "tests/reference/literal_evaluator.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// Makes random expression texts from one seeded generator.
class TextMaker {
public:
    explicit TextMaker(std::uint64_t seed) : rng_(seed) {}

    std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

    // A three- or two-valued text of the question language, some groups repeated.
    std::string WellFormed()
    {
        binary_ = Below(10) < 3;
        groups_.clear();
        return Chain(static_cast<int>(Below(5)));
    }

    // Usually outside the language: a well-formed text with characters
    // deleted, inserted or lower-cased, or cut short.
    std::string Malformed()
    {
        std::string text = WellFormed();
        for (std::size_t n = 1 + Below(3); n > 0 && !text.empty(); --n) {
            const std::size_t at = Below(text.size()), how = Below(4);
            if (how == 0)
                text.erase(at, 1);
            else if (how == 1)
                text.insert(at, 1, "0123() Notax"[Below(12)]);
            else if (how == 2)
                text[at] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[at])));
            else
                text.resize(at);
        }
        return text;
    }

private:
    std::string Operand(int depth)
    {
        std::string text;
        for (std::size_t n = Below(10) < 3 ? 1 + Below(3) : 0; n > 0; --n)
            text += "Not ";
        if (depth > 0 && Below(10) < 4) {
            if (!groups_.empty() && Below(3) == 0)
                return text + groups_[Below(groups_.size())];
            groups_.push_back('(' + Chain(depth - 1) + ')');
            return text + groups_.back();
        }
        return text + static_cast<char>(binary_ ? '1' + Below(2) : '0' + Below(3));
    }

    std::string Chain(int depth)
    {
        std::string text = Operand(depth);
        for (std::size_t n = Below(10) == 0 ? 0 : 1 + Below(5); n > 0; --n) {
            const auto op = binary_ ? nlt::kBinaryOperators[Below(6)] : nlt::kAllOperators[Below(18)];
            text.append(" ").append(nlt::OperatorWord(op)).append(" ").append(Operand(depth));
        }
        return text;
    }

    std::mt19937_64 rng_;
    bool binary_ = false;
    std::vector<std::string> groups_;
};

// The engine's value, or nothing when it throws.
std::optional<std::string> Engine(std::string (*evaluate)(std::string_view, const nlt::ProcessEvents &),
                                  const std::string &text) try {
    return evaluate(text, {});
} catch (const nlt::EvaluationError &) {
    return std::nullopt;
}

// The literal outcome when it is a value, else nothing.
std::optional<std::string> ValueOf(const std::optional<std::string> &outcome)
{
    return nlt::reference::IsValueOutcome(outcome) ? outcome : std::nullopt;
}

TEST(Differential, EngineAgreesWithTheLiteralAlgorithm)
{
    const char *env = std::getenv("NLT_DIFF_SEED");
    const std::uint64_t seed = env && *env ? std::strtoull(env, nullptr, 0) : 0x5eed2024;
    constexpr long kCount = 100000;
    TextMaker maker(seed);
    long values = 0, failures = 0;
    const auto agree = [&](const std::optional<std::string> &engine, const std::optional<std::string> &literal,
                           const std::string &what) {
        failures += engine != literal;
        EXPECT_EQ(engine, literal) << "seed " << seed << ", " << what;
    };
    for (long i = 0; i < kCount && failures < 5; ++i) {
        const std::string text = i % 2 == 0 ? maker.WellFormed() : maker.Malformed();
        const auto literal = ValueOf(nlt::reference::LiteralEvaluate(text));
        values += literal.has_value();
        agree(Engine(nlt::EvaluateExpression, text), literal, "text \"" + text + '"');
        // Flat and malformed texts, sometimes in parentheses, as one group.
        if (i % 2 == 1 || text.find('(') == std::string::npos) {
            const std::string group = maker.Below(2) ? '(' + text + ')' : text;
            agree(Engine(nlt::ReduceGroup, group), ValueOf(nlt::reference::LiteralReduceGroup(group)),
                  "group \"" + group + '"');
        }
    }
    // Most well-formed texts have a value; a run where few had one tested little.
    EXPECT_GT(values, kCount / 4) << "seed " << seed;
}

} // namespace
