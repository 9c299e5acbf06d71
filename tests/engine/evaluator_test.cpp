// The evaluator on chosen texts: values, errors and event processing.

#include "engine/evaluator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A text, what it gives (a value, or a text the error message must hold) and
// whether it goes to ReduceGroup instead of EvaluateExpression.
struct Case {
    const char *text;
    const char *expected = "";
    bool group = false;
};

std::ostream &operator<<(std::ostream &os, const Case &c) { return os << '"' << c.text << '"'; }

std::string Reduce(const Case &c) { return c.group ? nlt::ReduceGroup(c.text) : nlt::EvaluateExpression(c.text); }

class EvaluatesTo : public testing::TestWithParam<Case> {};

TEST_P(EvaluatesTo, ExpectedValue)
{
    EXPECT_EQ(Reduce(GetParam()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, EvaluatesTo,
    testing::Values(
        // Left to right, no precedence.
        Case{"1 And 2 Or 1", "1"}, Case{"1 Or 2 And 2", "2"}, Case{"1 Nor 2 Xand 2 Or 1", "1"},
        Case{"2 Xor 0 And 1", "0"},
        // Lone values and groups.
        Case{"0", "0"}, Case{"(1)", "1"}, Case{"((2))", "2"}, Case{"(1 And 2) Or (1 And 2)", "2"},
        Case{"(1 Or (2 Nand Not (1 And 2)))", "1"}, Case{"(2 Or 2) Xor ((2 Or 2) And (1 Or 1))", "2"},
        // Negation; "Not 0" takes its value from the operator before it, else after it.
        Case{"Not 1", "2"}, Case{"Not Not 1", "1"}, Case{"Not Not 0", "0"}, Case{"Not Not Not 1 And 1", "2"},
        Case{"Not (0 Or 0) Xand 2", "2"}, Case{"(0 Maybe 1) For Not (2 Against 0)", "1"},
        Case{"Not 0 For 1", "1"}, Case{"1 For Not 0", "2"}, Case{"Not 0 Xor 1", "1"}, Case{"1 Xor Not 0", "2"},
        Case{"1 And Not 0 Or 1", "1"}, Case{"Not 0 Against Not 0", "1"}, Case{"Not 0 And Not Not Not 0", "2"},
        Case{"Not (Not 0 Xand 1)", "2"},
        // Stray parentheses the literal algorithm still reduces.
        Case{"1)", "1"}, Case{"(1", "1"}, Case{"(1 Or 2))", "1"}, Case{"1 Or 2) And 2", "2"},
        // One group.
        Case{"(1 And Not 2)", "1", true}, Case{"1 And Not 2", "1", true}, Case{"(0 Nfor 2 Xor Not 0)", "2", true},
        Case{"(2", "2", true}, Case{"2)", "2", true}));

class Rejects : public testing::TestWithParam<Case> {};

TEST_P(Rejects, WithEvaluationError)
{
    try {
        FAIL() << "returned " << Reduce(GetParam());
    } catch (const nlt::EvaluationError &error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("not a valid expression"), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().expected), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, Rejects,
    testing::Values(
        Case{""}, Case{"x"}, Case{"3"}, Case{"("}, Case{")"}, Case{"()"}, Case{"(())"}, Case{"Not"}, Case{"Not 0"},
        Case{"(Not 0)"}, Case{"Not Not Not 0"}, Case{"1 AND 2"}, Case{"1  And 2"}, Case{"1 And 2 "}, Case{" 1 And 2"},
        Case{"1 And"}, Case{"1 Or 3"}, Case{"12 Or 1"}, Case{"1 Or Not"}, Case{")1 Or 2"}, Case{"1 Or ()"},
        // The message names the term without a value.
        Case{"1 and 2", "\"1 and 2\""}, Case{"1 Or 2 Xnor 1", "\"1 Xnor 1\""},
        Case{"(1 Or 2) And (2 Andd 1)", "\"2 Andd 1\""},
        // A group holds no inner group.
        Case{"", "", true}, Case{"(1 Or (2))", "", true}, Case{"((1))", "", true}, Case{"(Not 0)", "", true},
        Case{"(1 or 2)", "", true}));

// A window stays responsive: events are handled at least once per term.
TEST(ProcessEvents, AreHandledWhileALongExpressionIsReduced)
{
    std::string text = "1";
    for (int i = 0; i < 500; ++i)
        text += i % 2 ? " Xor (Not 1 Or 2)" : " Nand (0 Or 2)";
    int calls = 0;
    nlt::EvaluateExpression(text, [&calls] { ++calls; });
    EXPECT_GE(calls, 500);
}

} // namespace
