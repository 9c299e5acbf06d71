// The evaluator on chosen texts (values, errors, event processing), and
// against the literal reference on many random texts, well-formed and
// malformed: the same value, or an error where the literal algorithm ends
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

// A text, what it gives (a value, or a text the error message must hold) and
// whether it goes to ReduceGroup instead of EvaluateExpression.
struct Case {
    const char *text;
    const char *expected = "";
    bool group = false;
};

std::string Reduce(const Case &c) { return c.group ? nlt::ReduceGroup(c.text) : nlt::EvaluateExpression(c.text); }

TEST(Evaluate, EdgeCasesGiveTheirValues)
{
    const Case cases[] = {
        // Left to right, no precedence.
        {"1 And 2 Or 1", "1"}, {"1 Or 2 And 2", "2"}, {"1 Nor 2 Xand 2 Or 1", "1"}, {"2 Xor 0 And 1", "0"},
        // Lone values and groups.
        {"0", "0"}, {"(1)", "1"}, {"((2))", "2"}, {"(1 And 2) Or (1 And 2)", "2"},
        {"(1 Or (2 Nand Not (1 And 2)))", "1"}, {"(2 Or 2) Xor ((2 Or 2) And (1 Or 1))", "2"},
        // Negation; "Not 0" takes its value from the operator before it, else after it.
        {"Not 1", "2"}, {"Not Not 1", "1"}, {"Not Not 0", "0"}, {"Not Not Not 1 And 1", "2"},
        {"Not (0 Or 0) Xand 2", "2"}, {"(0 Maybe 1) For Not (2 Against 0)", "1"}, {"Not 0 For 1", "1"},
        {"1 For Not 0", "2"}, {"Not 0 Xor 1", "1"}, {"1 Xor Not 0", "2"}, {"1 And Not 0 Or 1", "1"},
        {"Not 0 Against Not 0", "1"}, {"Not 0 And Not Not Not 0", "2"}, {"Not (Not 0 Xand 1)", "2"},
        // Stray parentheses the literal algorithm still reduces.
        {"1)", "1"}, {"(1", "1"}, {"(1 Or 2))", "1"}, {"1 Or 2) And 2", "2"},
        // One group.
        {"(1 And Not 2)", "1", true}, {"1 And Not 2", "1", true}, {"(0 Nfor 2 Xor Not 0)", "2", true},
        {"(2", "2", true}, {"2)", "2", true}};
    for (const Case &c : cases)
        EXPECT_EQ(Reduce(c), c.expected) << '"' << c.text << '"';
}

TEST(Evaluate, TextsOutsideTheLanguageAreRejected)
{
    const Case cases[] = {
        {""}, {"x"}, {"3"}, {"("}, {")"}, {"()"}, {"(())"}, {"Not"}, {"Not 0"}, {"(Not 0)"}, {"Not Not Not 0"},
        {"1 AND 2"}, {"1  And 2"}, {"1 And 2 "}, {" 1 And 2"}, {"1 And"}, {"1 Or 3"}, {"12 Or 1"}, {"1 Or Not"},
        {")1 Or 2"}, {"1 Or ()"},
        // The message names the term without a value.
        {"1 and 2", "\"1 and 2\""}, {"1 Or 2 Xnor 1", "\"1 Xnor 1\""}, {"(1 Or 2) And (2 Andd 1)", "\"2 Andd 1\""},
        // A group holds no inner group.
        {"", "", true}, {"(1 Or (2))", "", true}, {"((1))", "", true}, {"(Not 0)", "", true}, {"(1 or 2)", "", true}};
    for (const Case &c : cases) {
        try {
            ADD_FAILURE() << '"' << c.text << "\" gave " << Reduce(c);
        } catch (const nlt::EvaluationError &error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("not a valid expression"), std::string::npos) << message;
            EXPECT_NE(message.find(c.expected), std::string::npos) << message;
        }
    }
}

// A window stays responsive: events are handled at least once per term.
TEST(Evaluate, HandlesEventsWhileALongExpressionIsReduced)
{
    std::string text = "1";
    for (int i = 0; i < 500; ++i)
        text += i % 2 ? " Xor (Not 1 Or 2)" : " Nand (0 Or 2)";
    int calls = 0;
    nlt::EvaluateExpression(text, [&calls] { ++calls; });
    EXPECT_GE(calls, 500);
}

// Makes random expression texts of the question language (three- or
// two-valued, some groups repeated) from one seeded generator; malformed ones
// have characters deleted or changed, or are cut short.
struct TextMaker {
    std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); }

    std::string Text(bool malformed)
    {
        binary = Below(10) < 3;
        groups.clear();
        std::string text = Chain(static_cast<int>(Below(5)));
        for (std::size_t n = malformed ? 1 + Below(3) : 0; n > 0 && !text.empty(); --n) {
            const std::size_t at = Below(text.size()), how = Below(3);
            how == 0 ? void(text.erase(at, 1)) : how == 1 ? text.resize(at) : void(text[at] = "0123() Notaxo"[Below(13)]);
        }
        return text;
    }

    std::string Operand(int depth)
    {
        std::string text;
        for (std::size_t n = Below(10) < 3 ? 1 + Below(3) : 0; n > 0; --n)
            text += "Not ";
        if (depth > 0 && Below(10) < 4) {
            if (!groups.empty() && Below(3) == 0)
                return text + groups[Below(groups.size())];
            groups.push_back('(' + Chain(depth - 1) + ')');
            return text + groups.back();
        }
        return text + static_cast<char>(binary ? '1' + Below(2) : '0' + Below(3));
    }

    std::string Chain(int depth)
    {
        std::string text = Operand(depth);
        for (std::size_t n = Below(10) == 0 ? 0 : 1 + Below(5); n > 0; --n) {
            const auto op = binary ? nlt::kBinaryOperators[Below(6)] : nlt::kAllOperators[Below(18)];
            text.append(" ").append(nlt::OperatorWord(op)).append(" ").append(Operand(depth));
        }
        return text;
    }

    std::mt19937_64 rng;
    bool binary = false;
    std::vector<std::string> groups;
};

TEST(Differential, EngineAgreesWithTheLiteralAlgorithm)
{
    const char *env = std::getenv("NLT_DIFF_SEED");
    const std::uint64_t seed = env && *env ? std::strtoull(env, nullptr, 0) : 0x5eed2024;
    constexpr long kCount = 30000;
    TextMaker maker{std::mt19937_64(seed), false, {}};
    long values = 0;
    const auto check = [&](auto evaluate, auto literal, const std::string &text) {
        auto expected = literal(text);
        expected = nlt::reference::IsValueOutcome(expected) ? expected : std::nullopt;
        std::optional<std::string> outcome; // nothing when the engine throws
        try {
            outcome = evaluate(text, {});
        } catch (const nlt::EvaluationError &) {
        }
        values += expected.has_value();
        EXPECT_EQ(outcome, expected) << "seed " << seed << ", text \"" << text << '"';
    };
    for (long i = 0; i < kCount && !HasFailure(); ++i) {
        const std::string text = maker.Text(i % 2 == 1);
        check(nlt::EvaluateExpression, nlt::reference::LiteralEvaluate, text);
        if (i % 2 == 1 || text.find('(') == std::string::npos)
            check(nlt::ReduceGroup, nlt::reference::LiteralReduceGroup, maker.Below(2) ? '(' + text + ')' : text);
    }
    // Most texts have a value; a run where few had one tested little.
    EXPECT_GT(values, kCount / 2) << values << " values, seed " << seed;
}

} // namespace
