// The evaluator on chosen texts (values, errors), and
// against the literal reference on many random texts, well-formed and
// malformed: the same value, or an error where the literal algorithm ends
// without a value. NLT_DIFF_SEED picks another seed.

#include "engine/evaluator.h"
#include "engine/language.h"
#include "tests/reference/literal_evaluator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace nlt::test {

// A random expression text of the question language (three- or two-valued,
// groups nested up to four deep, some repeated, "Not " runs); a malformed one
// has characters deleted, changed or inserted, or is cut short. The explain
// tests draw their texts here too.
std::string RandomText(std::mt19937_64 &rng, bool malformed)
{
    const auto below = [&rng](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    const bool binary = below(10) < 3;
    std::vector<std::string> groups;
    const auto chain = [&](const auto &self, std::size_t depth) -> std::string {
        std::string text;
        for (std::size_t n = below(10) == 0 ? 1 : 2 + below(5); n > 0; --n) {
            const std::string_view op = OperatorWord(binary ? kBinaryOperators[below(6)] : kAllOperators[below(18)]);
            text += text.empty() ? "" : ' ' + std::string(op) + ' ';
            text += std::string_view("Not Not Not ").substr(0, below(10) < 3 ? 4 * (1 + below(3)) : 0);
            if (depth == 0 || below(10) >= 4)
                text += static_cast<char>(binary ? '1' + below(2) : '0' + below(3));
            else if (!groups.empty() && below(3) == 0)
                text += groups[below(groups.size())];
            else
                groups.push_back('(' + self(self, depth - 1) + ')'), text += groups.back();
        }
        return text;
    };
    std::string text = chain(chain, below(5));
    for (std::size_t n = malformed ? 1 + below(3) : 0; n > 0 && !text.empty(); --n) {
        const std::size_t at = below(text.size()), how = below(4);
        const char c = "0123() Notaxo"[below(13)];
        how == 0   ? void(text.erase(at, 1))
        : how == 1 ? text.resize(at)
        : how == 2 ? void(text[at] = c)
                   : void(text.insert(at, 1, c));
    }
    return text;
}

namespace {

// A text, what it gives (a value, or a text the error message must hold) and
// whether it goes to ReduceGroup instead of EvaluateExpression.
struct Case {
    const char *text, *expected = "";
    bool group = false;
};

std::string Reduce(const Case &c) { return c.group ? ReduceGroup(c.text) : EvaluateExpression(c.text); }

TEST(Evaluate, EdgeCasesGiveTheirValues)
{
    const Case cases[] = {// Left to right, no precedence.
        {"1 And 2 Or 1", "1"}, {"1 Or 2 And 2", "2"}, {"1 Nor 2 Xand 2 Or 1", "1"}, {"2 Xor 0 And 1", "0"},
        // Lone values and groups.
        {"0", "0"}, {"(1)", "1"}, {"((2))", "2"}, {"(1 And 2) Or (1 And 2)", "2"}, {"(1 Or (2 Nand Not (1 And 2)))", "1"},
        {"(2 Or 2) Xor ((2 Or 2) And (1 Or 1))", "2"},
        // Negation; "Not 0" takes its value from the operator before it, else after it.
        {"Not 1", "2"}, {"Not Not 1", "1"}, {"Not Not 0", "0"}, {"Not Not Not 1 And 1", "2"}, {"Not (0 Or 0) Xand 2", "2"},
        {"(0 Maybe 1) For Not (2 Against 0)", "1"}, {"Not 0 For 1", "1"}, {"1 For Not 0", "2"}, {"Not 0 Xor 1", "1"},
        {"1 Xor Not 0", "2"}, {"1 And Not 0 Or 1", "1"}, {"Not 0 Against Not 0", "1"}, {"Not 0 And Not Not Not 0", "2"},
        {"Not (Not 0 Xand 1)", "2"},
        // Stray parentheses the literal algorithm still reduces.
        {"1)", "1"}, {"(1", "1"}, {"(1 Or 2))", "1"}, {"1 Or 2) And 2", "2"},
        // One group.
        {"(1 And Not 2)", "1", true}, {"1 And Not 2", "1", true}, {"(0 Nfor 2 Xor Not 0)", "2", true}, {"(2", "2", true},
        {"2)", "2", true}};
    for (const Case &c : cases)
        EXPECT_EQ(Reduce(c), c.expected) << '"' << c.text << '"';
}

TEST(Evaluate, TextsOutsideTheLanguageAreRejected)
{
    const Case cases[] = {{""}, {"x"}, {"3"}, {"("}, {")"}, {"()"}, {"(())"}, {"Not"}, {"Not 0"}, {"(Not 0)"},
        {"Not Not Not 0"}, {"1 AND 2"}, {"1  And 2"}, {"1 And 2 "}, {" 1 And 2"}, {"1 And"}, {"1 Or 3"}, {"12 Or 1"},
        {"1 Or Not"}, {")1 Or 2"}, {"1 Or ()"},
        // The message names the term without a value.
        {"1 and 2", "\"1 and 2\""}, {"1 Or 2 Xnor 1", "\"1 Xnor 1\""}, {"(1 Or 2) And (2 Andd 1)", "\"2 Andd 1\""},
        // A group holds no inner group.
        {"", "", true}, {"(1 Or (2))", "", true}, {"((1))", "", true}, {"(Not 0)", "", true}, {"(1 or 2)", "", true}};
    for (const Case &c : cases)
        try {
            ADD_FAILURE() << '"' << c.text << "\" gave " << Reduce(c);
        } catch (const EvaluationError &error) {
            const std::string m = error.what();
            EXPECT_TRUE(m.find("not a valid expression") != m.npos && m.find(c.expected) != m.npos) << m;
        }
}

TEST(Differential, EngineAgreesWithTheLiteralAlgorithm)
{
    const std::uint64_t seed = std::getenv("NLT_DIFF_SEED") ? std::strtoull(std::getenv("NLT_DIFF_SEED"), nullptr, 0)
                                                            : 0x5eed2024;
    constexpr long kCount = 30000;
    std::mt19937_64 rng(seed);
    long values = 0;
    const auto check = [&](auto evaluate, auto literal, const std::string &text) {
        auto expected = literal(text);
        expected = reference::IsValueOutcome(expected) ? expected : std::nullopt;
        std::optional<std::string> outcome; // nothing when the engine throws
        try {
            outcome = evaluate(text);
        } catch (const EvaluationError &) {
        }
        values += expected.has_value();
        EXPECT_EQ(outcome, expected) << "seed " << seed << ", text \"" << text << '"';
    };
    for (long i = 0; i < kCount && !HasFailure(); ++i) {
        const std::string text = RandomText(rng, i % 2 == 1);
        check(EvaluateExpression, reference::LiteralEvaluate, text);
        if (i % 2 == 1 || text.find('(') == std::string::npos)
            check(ReduceGroup, reference::LiteralReduceGroup, rng() % 2 ? '(' + text + ')' : text);
    }
    // Most texts have a value; a run where few had one tested little.
    EXPECT_GT(values, kCount / 2) << values << " values, seed " << seed;
}

} // namespace
} // namespace nlt::test
