// The evaluator on chosen texts: values, errors and event processing.

#include "engine/evaluator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// An expression text and the value it reduces to.
struct Evaluation {
    const char *text;
    const char *value;
};

std::ostream &operator<<(std::ostream &os, const Evaluation &e)
{
    return os << '"' << e.text << "\" -> " << e.value;
}

class EvaluatesTo : public testing::TestWithParam<Evaluation> {};

TEST_P(EvaluatesTo, ExpectedValue)
{
    EXPECT_EQ(nlt::EvaluateExpression(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    LeftToRight, EvaluatesTo,
    testing::Values(Evaluation{"1 And 2 Or 1", "1"}, Evaluation{"1 Or 2 And 2", "2"},
                    Evaluation{"1 Nor 2 Xand 2 Or 1", "1"}, Evaluation{"2 Xor 0 And 1", "0"},
                    Evaluation{"0 Xwith 0", "1"}, Evaluation{"1 Xwith 2", "1"}, Evaluation{"0 Xand 0", "1"},
                    Evaluation{"0 Xor 0", "2"}, Evaluation{"2 Nagainst 1 Xmaybe 2 Nwith 1", "2"}));

INSTANTIATE_TEST_SUITE_P(
    Groups, EvaluatesTo,
    testing::Values(Evaluation{"1", "1"}, Evaluation{"0", "0"}, Evaluation{"(1)", "1"}, Evaluation{"((2))", "2"},
                    Evaluation{"(1 And 2) Or (1 And 2)", "2"}, Evaluation{"((1 Or 2) Nand 1)", "2"},
                    Evaluation{"(0 Maybe 1) For Not (2 Against 0)", "1"},
                    Evaluation{"(1 Or (2 Nand Not (1 And 2)))", "1"},
                    Evaluation{"(2 Or 2) Xor ((2 Or 2) And (1 Or 1))", "2"}));

INSTANTIATE_TEST_SUITE_P(
    Negation, EvaluatesTo,
    testing::Values(Evaluation{"Not 1", "2"}, Evaluation{"Not Not 1", "1"}, Evaluation{"Not Not 0", "0"},
                    Evaluation{"(Not 2)", "1"}, Evaluation{"Not (0 Or 0) Xand 2", "2"},
                    Evaluation{"1 And Not 0 Or 1", "1"}, Evaluation{"Not Not Not 1 And 1", "2"},
                    Evaluation{"Not 0 For 1", "1"}, Evaluation{"1 For Not 0", "2"},
                    Evaluation{"Not 0 Xor 1", "1"}, Evaluation{"1 Xor Not 0", "2"},
                    Evaluation{"Not Not Not 0 Or 2", "1"}, Evaluation{"1 Or Not (0 And 1)", "1"},
                    Evaluation{"Not 0 Against Not 0", "1"}, Evaluation{"Not 0 And Not Not Not 0", "2"},
                    Evaluation{"Not (Not 0 Xand 1)", "2"}));

// Texts outside the language that the literal algorithm still reduces to a value.
INSTANTIATE_TEST_SUITE_P(
    StrayParentheses, EvaluatesTo,
    testing::Values(Evaluation{"1)", "1"}, Evaluation{"(1", "1"}, Evaluation{"(1 Or 2))", "1"},
                    Evaluation{"1 Or 2) And 2", "2"}, Evaluation{"(1 Or 2", "1"}));

class RejectsText : public testing::TestWithParam<const char *> {};

TEST_P(RejectsText, WithEvaluationError)
{
    try {
        const std::string value = nlt::EvaluateExpression(GetParam());
        FAIL() << "returned " << value;
    } catch (const nlt::EvaluationError &error) {
        EXPECT_NE(std::string(error.what()).find("not a valid expression"), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(NotAValue, RejectsText,
                         testing::Values("", "x", "3", " ", "(", ")", "()", "(())", "(x)", "Not", "x Or 1"));

INSTANTIATE_TEST_SUITE_P(TermWithoutRow, RejectsText,
                         testing::Values("Not 0", "(Not 0)", "Not (0)", "1 Or (Not 0)", "Not Not Not 0",
                                         "1 and 2", "1 AND 2", "1  And 2", "1 And 2 ", " 1 And 2", "1 And",
                                         "1 Nand", "1 Or 3", "12 Or 1", "1 Or Not", ")1 Or 2", "1 Or ()"));

// The message names the term that has no value.
TEST(EvaluationErrorMessage, NamesTheOffendingTerm)
{
    const struct {
        const char *text;
        const char *named;
    } cases[] = {
        {"1 and 2", "\"1 and 2\""},
        {"1 Or 2 Xnor 1", "\"1 Xnor 1\""},
        {"(1 Or 2) And (2 Andd 1)", "\"2 Andd 1\""},
    };
    for (const auto &c : cases) {
        try {
            nlt::EvaluateExpression(c.text);
            ADD_FAILURE() << c.text << " was accepted";
        } catch (const nlt::EvaluationError &error) {
            EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
        }
    }
}

class ReducesGroupTo : public testing::TestWithParam<Evaluation> {};

TEST_P(ReducesGroupTo, ExpectedValue)
{
    EXPECT_EQ(nlt::ReduceGroup(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(OneGroup, ReducesGroupTo,
                         testing::Values(Evaluation{"(1 And Not 2)", "1"}, Evaluation{"1 And Not 2", "1"},
                                         Evaluation{"(0 Nfor 2 Xor Not 0)", "2"}, Evaluation{"(Not 1)", "2"},
                                         Evaluation{"2", "2"}, Evaluation{"(2", "2"}, Evaluation{"2)", "2"}));

TEST(ReduceGroup, RejectsInnerGroupsAndNonValues)
{
    for (const char *group : {"", "()", "(1 Or (2))", "((1))", "(Not 0)", "(1 or 2)"})
        EXPECT_THROW(nlt::ReduceGroup(group), nlt::EvaluationError) << group;
}

// A long chain of groups: "(1 Or 2) Xor (2 And 1) Xor ..." with every group new.
std::string LongExpression(int groups)
{
    std::string text = "1";
    for (int i = 0; i < groups; ++i)
        text += (i % 2 ? " Xor (Not " : " Nand (") + std::string(i % 3 ? "1" : "0") + " Or 2)";
    return text;
}

TEST(ProcessEvents, IsCalledWhileALongExpressionIsReduced)
{
    int calls = 0;
    const nlt::ProcessEvents count = [&calls] { ++calls; };
    nlt::EvaluateExpression(LongExpression(500), count);
    EXPECT_GE(calls, 500);
}

TEST(ProcessEvents, MayBeEmpty)
{
    EXPECT_NO_THROW(nlt::EvaluateExpression(LongExpression(50), nlt::ProcessEvents{}));
}

} // namespace
