// The working of an expression: hand-worked explanations, slips and syntax
// problems, then generated questions and random texts checked against the
// evaluator, a replay of every chain with the reference tables and a
// brute-force re-evaluation of every slip.

#include "engine/evaluator.h"
#include "engine/explain.h"
#include "engine/generator.h"
#include "engine/wording.h"
#include "tests/reference/literal_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace nlt::test {

// A random text, well-formed or malformed (in evaluator_test.cpp).
std::string RandomText(std::mt19937_64 &rng, bool malformed);

namespace {

// What evaluate gives, or nothing when it throws.
template <class F> auto Try(F evaluate) -> std::optional<decltype(evaluate())>
try {
    return evaluate();
} catch (const EvaluationError &) {
    return std::nullopt;
}
// The engine's value.
std::optional<char> Evaluate(const std::string &text)
{
    return Try([&] { return EvaluateExpression(text)[0]; });
}

// Steps as "g<group> <what> = <value> '<range text>'", separated by "; ".
std::string Describe(const std::string &text, const std::vector<Step> &steps)
{
    std::string list;
    for (const Step &s : steps) {
        const std::string op(OperatorWord(s.op)), left(1, s.left), by = s.operatorBefore ? " before" : " after";
        const std::string what[]{"cancel", "not " + left, "not " + left + " by " + op + by,
            left + ' ' + op + ' ' + s.right}; // by kind
        list += (list.empty() ? "g" : "; g") + std::to_string(s.group) + ' ' + what[static_cast<std::size_t>(s.kind)]
              + (s.kind == StepKind::CancelNots ? "" : std::string(" = ") + s.value) + " '"
              + text.substr(s.range.begin, s.range.length) + '\'';
    }
    return list;
}

// Steps as Describe gives them and per chosen answer the slips FindSlips gives
// as "<step>><taken as>", worked out by hand from the truth tables and the
// "Not 0" table. The groups are checked by the replay below.
const std::vector<std::tuple<std::string, char, std::string, std::string>> kWorked{
    {"(0 Maybe 1) For Not (2 Against 0)", '1',
        "g0 0 Maybe 1 = 0 '0 Maybe 1'; g1 2 Against 0 = 2 '2 Against 0'; "
        "g2 not 2 = 1 'Not (2 Against 0)'; g2 0 For 1 = 1 '(0 Maybe 1) For Not (2 Against 0)'",
        "0: 2>0 3>0; 1:; 2: 0>2 1>0 1>1 2>2 3>2"},
    {"1 And Not 0 Or 1", '1', "g0 not 0 by And before = 2 'Not 0'; g0 1 And 2 = 2 '1 And Not 0'; g0 2 Or 1 = 1 'Or 1'",
        "0: 2>0; 1:; 2: 2>2"},
    {"Not 0 For 1", '1', "g0 not 0 by For after = 1 'Not 0'; g0 1 For 1 = 1 'Not 0 For 1'", "0: 1>0; 1:; 2: 0>2 1>2"},
    {"Not Not Not 1 And 1", '2', "g0 cancel 'Not Not '; g0 not 1 = 2 'Not 1'; g0 2 And 1 = 2 'Not Not Not 1 And 1'",
        "0: 1>0 2>0; 1: 1>1 2>1; 2:"},
    {"(1 And 2) Or (1 And 2)", '2',
        "g0 1 And 2 = 2 '1 And 2'; g1 1 And 2 = 2 '1 And 2'; g2 2 Or 2 = 2 '(1 And 2) Or "
        "(1 And 2)'",
        "0: 0>0 1>0 2>0; 1: 0>1 1>1 2>1; 2:"},
    {"1 Or 2 And 2", '2', "g0 1 Or 2 = 1 '1 Or 2'; g0 1 And 2 = 2 'And 2'", "0: 1>0; 1: 1>1; 2:"},
    {"Not (0 Or 0) Xand 2", '2',
        "g0 0 Or 0 = 0 '0 Or 0'; g1 not 0 by Xand after = 1 'Not (0 Or 0)'; "
        "g1 1 Xand 2 = 2 'Not (0 Or 0) Xand 2'",
        "0: 1>0 2>0; 1: 0>1 1>2 2>1; 2:"},
    {"((1 Or 2) Nand Not 2)", '2', "g0 1 Or 2 = 1 '1 Or 2'; g1 not 2 = 1 'Not 2'; g1 1 Nand 1 = 2 '(1 Or 2) Nand Not 2'",
        "0: 0>0 1>0 2>0; 1: 0>2 1>2 2>1; 2:"},
    // "Not 0" alone has no value, so taking "1 And 2" as 0 is no slip.
    {"Not (1 And 2)", '1', "g0 1 And 2 = 2 '1 And 2'; g1 not 2 = 1 'Not (1 And 2)'", "0: 1>0; 1:; 2: 0>1 1>2"},
};

// Text, the index where it first leaves the language, and why.
const std::vector<std::tuple<std::string, std::size_t, std::string>> kProblems{
    {"", 0, "the text is empty"},
    {"1 Or", 4, "the term \"1 Or\" has no value"},
    {"1  Or 2", 2, "two blanks in a row"},
    {"1 or 2", 2, "\"or\" is not an operator word; operator words begin with a capital letter"},
    {"1 XOR 2", 2, "\"XOR\" is not an operator word; it is written \"Xor\""},
    {"(1 Or 2", 0, "a \"(\" is never closed"},
    {"1 And (Not 0)", 7, "\"Not 0\" needs an operator beside it"},
    {"1 Or 2 1", 7, "an operator word must follow"},
    {"1 Or ", 5, "a value (0, 1, 2), \"Not \" or \"(\" must follow"},
    {"1 Or 2)", 6, "\")\" has no \"(\" before it"},
    {"1 Or \u00dc", 5, "a value (0, 1, 2), \"Not \" or \"(\" must follow, not \"\u00dc\""},
    {"1 Or 3", 5, "\"3\" is not a value; the values are 0, 1 and 2"},
    {"1 Or (1 And 2 Or (0 Xor 1) Nand 2 Xagainst 1 Nor 2 Or 2) Or", 59, "the term \"(\u2026) Or\" has no value"},
    {"not 1", 0, "\"not\" is written \"Not\", with a capital letter"},
};

// An operator's rows in the reference truth table and "Not 0" table.
const auto &TruthRow(Operator op)
{
    return *std::ranges::find(reference::kTruthRows, OperatorWord(op), &reference::TruthRow::word);
}
const auto &NotZeroRow(Operator op)
{
    return *std::ranges::find(reference::kNotZeroRows, OperatorWord(op), &reference::NotZeroRow::word);
}

// Reads each group's chain afresh from the text, works its "Not" runs and folds
// with the reference tables, and expects exactly those steps, kind by kind in
// text order; groups come in the order of their ")", each after those inside it.
void Replay(const std::string &text, const Explanation &e)
{
    std::map<std::size_t, std::size_t> groupAt; // "(" -> its group
    for (std::size_t g = 0; g + 1 < e.groups.size(); ++g)
        groupAt[e.groups[g].range.begin] = g;
    ASSERT_EQ(groupAt.size(), static_cast<std::size_t>(std::ranges::count(text, '(')));
    std::size_t stepsBefore = 0, lastEnd = 0;
    for (std::size_t g = 0; g < e.groups.size(); ++g) {
        const GroupWorking &group = e.groups[g];
        const bool top = g + 1 == e.groups.size();
        std::size_t chainBegin = top ? 0 : group.range.begin + 1, p = chainBegin, opBegin = chainBegin;
        std::optional<Operator> op;
        char value = '\0';
        std::vector<Step> want;
        for (bool last = false; !last;) {
            const std::size_t begin = p;
            while (text.compare(p, 4, "Not ") == 0)
                p += 4;
            const std::size_t odd = (p - begin) / 4 % 2, from = p - 4 * odd, inner = text.at(p) == '(' ? groupAt.at(p) : g;
            EXPECT_TRUE(inner == g || (inner < g && e.groups[inner].parent == g)) << inner;
            char v = inner == g ? text[p] : e.groups[inner].value;
            p += inner == g ? 1 : e.groups[inner].range.length;
            last = top ? p == text.size() : text.at(p) == ')';
            const std::size_t wordEnd = last ? p : text.find(' ', p + 1);
            const auto next = std::ranges::find(kAllOperators, last ? std::string() : text.substr(p + 1, wordEnd - p - 1),
                OperatorWord);
            ASSERT_TRUE(last || (text[p] == ' ' && next != kAllOperators.end())) << p;
            const Operator decider = op   ? *op
                                   : last ? Operator::And
                                          : *next; // of a "Not 0": the operator before it, else after it
            if (from > begin)                      // "Not Not" pairs cancel
                want.push_back({.kind = StepKind::CancelNots, .group = g, .range = {begin, from - begin}});
            if (odd)
                want.push_back({.kind = v == '0' ? StepKind::NotZero : StepKind::Negate,
                    .group = g,
                    .range = {from, p - from},
                    .left = v,
                    .op = v == '0' ? decider : Operator::And,
                    .operatorBefore = v == '0' && op,
                    .value = v == '1' ? '2'
                           : v == '2' ? '1'
                           : op       ? NotZeroRow(decider).afterOperator
                                      : NotZeroRow(decider).beforeOperator}),
                    v = want.back().value;
            if (op)
                want.push_back({.kind = StepKind::Fold,
                    .group = g,
                    .range = {opBegin, p - opBegin},
                    .left = value,
                    .op = *op,
                    .right = v,
                    .value = TruthRow(*op).cells.at(static_cast<std::size_t>(3 * (value - '0') + (v - '0')))});
            value = op ? want.back().value : v;
            opBegin = op ? p + 1 : chainBegin, op = last ? op : *next, p = last ? p : wordEnd + 1; // on to the next operand
        }
        EXPECT_EQ(std::tuple(top ? group.range.begin : 0, group.range.begin + group.range.length, group.parent == kNoGroup,
                      group.value, group.firstStep, std::exchange(lastEnd, p) <= p),
            std::tuple(0u, top ? p : p + 1, top, value, stepsBefore, true))
            << g;
        ASSERT_TRUE((stepsBefore += group.stepCount) <= e.steps.size() && (!top || stepsBefore == e.steps.size()))
            << stepsBefore;
        std::ranges::stable_sort(want, {}, &Step::kind);
        EXPECT_EQ(Describe(text, {e.steps.begin() + stepsBefore - group.stepCount, e.steps.begin() + stepsBefore}),
            Describe(text, want))
            << g;
    }
}

// Every single slip, found by writing the slipped value into the text in place
// of what the step works out (for a fold, its chain up to it) and evaluating.
void CheckSlips(const std::string &text, const Explanation &e)
{
    std::map<char, std::vector<std::pair<std::size_t, char>>> expected, found; // by the answer the slip gives
    for (const char chosen : {'0', '1', '2'})
        for (const Slip &slip : FindSlips(e, chosen))
            found[chosen].emplace_back(slip.step, slip.takenAs);
    for (std::size_t k = 0; k < e.steps.size(); ++k) {
        const Step &s = e.steps[k];
        const std::size_t begin = s.kind != StepKind::Fold ? s.range.begin
                                                           : e.groups[s.group].range.begin + (s.group + 1 < e.groups.size());
        for (const char v : {'0', '1', '2'})
            if (const auto answer = Evaluate(text.substr(0, begin) + v + text.substr(s.range.begin + s.range.length));
                s.kind != StepKind::CancelNots && v != s.value && answer && *answer != e.value)
                expected[*answer].emplace_back(k, v);
    }
    EXPECT_EQ(found, expected);
}

TEST(Explain, HandWorkedCases)
{
    for (const auto &[text, value, steps, slips] : kWorked) {
        const Explanation e = ExplainExpression(text);
        std::string slipList;
        for (const char chosen : {'0', '1', '2'})
            for (slipList += std::string(slipList.empty() ? "" : "; ") + chosen + ':';
                 const Slip &slip : FindSlips(e, chosen))
                slipList += ' ' + std::to_string(slip.step) + '>' + slip.takenAs;
        EXPECT_EQ(std::tuple(e.value, Describe(text, e.steps), slipList), std::tuple(value, steps, slips)) << text;
        Replay(text, e);
    }
    for (const auto &[text, position, message] : kProblems) {
        const auto problem = FindSyntaxProblem(text);
        ASSERT_TRUE(problem) << text;
        EXPECT_EQ(std::pair(problem->position, ProblemInWords(*problem)), std::pair(position, message)) << text;
    }
}

// 400 generated questions up to the difficulty cap, then 4000 random texts: the
// explanation has the evaluator's value or throws with it, has a working
// exactly when the syntax check finds no problem, and that working replays.
TEST(Explain, GeneratedQuestionsAndRandomTexts)
{
    TestCounters counters{.TermCount = 1};
    SeededRandomSource random(20240611);
    std::mt19937_64 rng(0x5eed);
    std::size_t longest = 0, explained = 0;
    for (int i = 1; i <= 4400 && !HasFailure(); ++i) {
        const bool question = i <= 400;
        const std::string text = question ? JoinParts((i % 2 ? BuildTertiaryParts : BuildBinaryParts)(counters, random))
                                          : RandomText(rng, i % 2 == 1);
        SCOPED_TRACE(text.substr(0, 200));
        const Explanation e = Try([&] { return ExplainExpression(text); }).value_or(Explanation{});
        // Every question is an expression.
        EXPECT_EQ(std::tuple(e.value, e.groups.empty(), question && e.groups.empty()),
            std::tuple(Evaluate(text).value_or('\0'), FindSyntaxProblem(text).has_value(), false));
        longest = std::max(longest, text.size());
        explained += !question && !e.groups.empty();
        if (!e.groups.empty())
            Replay(text, e), text.size() <= (question ? 1500u : 300u) ? CheckSlips(text, e) : void();
    }
    EXPECT_GT(longest, 50'000u);                                    // the questions reached the capped difficulty
    EXPECT_TRUE(explained > 1500 && explained < 3500) << explained; // random texts of both kinds in numbers
}

} // namespace
} // namespace nlt::test
