// The working of an expression: hand-worked explanations, syntax problems and
// slips, then properties over generated questions and random texts checked
// against the evaluator, the independent truth tables and a brute-force
// re-evaluation of every slip.

#include "engine/evaluator.h"
#include "engine/explain.h"
#include "engine/generator.h"
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

namespace {

using nlt::Explanation;
using nlt::StepKind;

// The engine's value, or nothing when it throws.
std::optional<char> Evaluate(const std::string &text) try {
    return nlt::EvaluateExpression(text)[0];
} catch (const nlt::EvaluationError &) {
    return std::nullopt;
}

std::string Slice(const std::string &text, nlt::TextRange range) { return text.substr(range.begin, range.length); }

// A step as "g<group> <what> = <value> '<range text>'".
std::string Describe(const std::string &text, const nlt::Step &s)
{
    const std::string op(nlt::OperatorWord(s.op)), value = std::string(" = ") + s.value;
    const std::string what = s.kind == StepKind::CancelNots ? "cancel"
                             : s.kind == StepKind::Negate   ? "not " + std::string(1, s.left) + value
                             : s.kind == StepKind::NotZero  ? "not 0 by " + op + (s.operatorBefore ? " before" : " after") + value
                                                            : s.left + (' ' + op + ' ') + s.right + value;
    return 'g' + std::to_string(s.group) + ' ' + what + " '" + Slice(text, s.range) + '\'';
}

// A group as "@<begin> '<range text>' = <value> in <parent>" ("top" for none).
std::string Describe(const std::string &text, const nlt::GroupWorking &g)
{
    return '@' + std::to_string(g.range.begin) + " '" + Slice(text, g.range) + "' = " + g.value + " in " +
           (g.parent == nlt::kNoGroup ? std::string("top") : std::to_string(g.parent));
}

struct WorkedRow {
    std::string text;
    char value;
    std::vector<std::string> groups;
    std::vector<std::string> steps;
};

// Worked out by hand from the truth tables and the "Not 0" table.
const std::vector<WorkedRow> kWorked{
    {"(0 Maybe 1) For Not (2 Against 0)", '1',
     {"@0 '(0 Maybe 1)' = 0 in 2", "@20 '(2 Against 0)' = 2 in 2", "@0 '(0 Maybe 1) For Not (2 Against 0)' = 1 in top"},
     {"g0 0 Maybe 1 = 0 '0 Maybe 1'", "g1 2 Against 0 = 2 '2 Against 0'", "g2 not 2 = 1 'Not (2 Against 0)'",
      "g2 0 For 1 = 1 '(0 Maybe 1) For Not (2 Against 0)'"}},
    {"1 And Not 0 Or 1", '1', {"@0 '1 And Not 0 Or 1' = 1 in top"},
     {"g0 not 0 by And before = 2 'Not 0'", "g0 1 And 2 = 2 '1 And Not 0'", "g0 2 Or 1 = 1 'Or 1'"}},
    {"Not 0 For 1", '1', {"@0 'Not 0 For 1' = 1 in top"},
     {"g0 not 0 by For after = 1 'Not 0'", "g0 1 For 1 = 1 'Not 0 For 1'"}},
    {"Not Not Not 1 And 1", '2', {"@0 'Not Not Not 1 And 1' = 2 in top"},
     {"g0 cancel 'Not Not '", "g0 not 1 = 2 'Not 1'", "g0 2 And 1 = 2 'Not Not Not 1 And 1'"}},
    {"(1 And 2) Or (1 And 2)", '2',
     {"@0 '(1 And 2)' = 2 in 2", "@13 '(1 And 2)' = 2 in 2", "@0 '(1 And 2) Or (1 And 2)' = 2 in top"},
     {"g0 1 And 2 = 2 '1 And 2'", "g1 1 And 2 = 2 '1 And 2'", "g2 2 Or 2 = 2 '(1 And 2) Or (1 And 2)'"}},
    {"1 Or 2 And 2", '2', {"@0 '1 Or 2 And 2' = 2 in top"}, {"g0 1 Or 2 = 1 '1 Or 2'", "g0 1 And 2 = 2 'And 2'"}},
    {"Not (0 Or 0) Xand 2", '2', {"@4 '(0 Or 0)' = 0 in 1", "@0 'Not (0 Or 0) Xand 2' = 2 in top"},
     {"g0 0 Or 0 = 0 '0 Or 0'", "g1 not 0 by Xand after = 1 'Not (0 Or 0)'", "g1 1 Xand 2 = 2 'Not (0 Or 0) Xand 2'"}},
    {"((1 Or 2) Nand Not 2)", '2',
     {"@1 '(1 Or 2)' = 1 in 1", "@0 '((1 Or 2) Nand Not 2)' = 2 in 2", "@0 '((1 Or 2) Nand Not 2)' = 2 in top"},
     {"g0 1 Or 2 = 1 '1 Or 2'", "g1 not 2 = 1 'Not 2'", "g1 1 Nand 1 = 2 '(1 Or 2) Nand Not 2'"}},
};

TEST(Explain, HandWorkedExplanations)
{
    for (const auto &row : kWorked) {
        SCOPED_TRACE(row.text);
        const Explanation e = nlt::ExplainExpression(row.text);
        EXPECT_EQ(e.value, row.value);
        std::vector<std::string> groups, steps;
        for (const auto &g : e.groups)
            groups.push_back(Describe(row.text, g));
        for (const auto &s : e.steps)
            steps.push_back(Describe(row.text, s));
        EXPECT_EQ(groups, row.groups);
        EXPECT_EQ(steps, row.steps);
    }
}

struct ProblemRow {
    std::string text;
    std::size_t position;
    std::string message;
};

const std::vector<ProblemRow> kProblems{
    {"", 0, "the text is empty"},
    {"1 Or", 4, "the term \"1 Or\" has no value"},
    {"1 or 2", 2, "\"or\" is not an operator word; operator words begin with a capital letter"},
    {"1 XOR 2", 2, "\"XOR\" is not an operator word; it is written \"Xor\""},
    {"(1 Or 2", 0, "a \"(\" is never closed"},
    {"1 Or 2)", 6, "\")\" has no \"(\" before it"},
    {"1  Or 2", 2, "two blanks in a row"},
    {"1 And (Not 0)", 7, "\"Not 0\" needs an operator beside it"},
    {"1 Or 2 1", 7, "an operator word must follow"},
    {"1 Or ", 5, "a value (0, 1, 2), \"Not \" or \"(\" must follow"},
    {"1 Or 3", 5, "\"3\" is not a value; the values are 0, 1 and 2"},
    {"not 1", 0, "\"not\" is written \"Not\", with a capital letter"},
};

// Each text leaves the language at the first place the row names; where the
// evaluator still finds a value the explanation has it, without steps.
TEST(Explain, SyntaxProblemsAndTextsOutsideTheLanguage)
{
    for (const auto &row : kProblems) {
        SCOPED_TRACE(row.text);
        const auto problem = nlt::FindSyntaxProblem(row.text);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->position, row.position);
        EXPECT_EQ(problem->message, row.message);
        const auto value = Evaluate(row.text);
        if (!value) {
            EXPECT_THROW(nlt::ExplainExpression(row.text), nlt::EvaluationError);
            continue;
        }
        const Explanation e = nlt::ExplainExpression(row.text);
        EXPECT_EQ(e.value, *value);
        EXPECT_TRUE(e.groups.empty() && e.steps.empty());
    }
}

struct SlipRow {
    std::string text;
    char chosen;
    std::vector<std::pair<std::size_t, char>> slips; // step index, value taken
};

const std::vector<SlipRow> kSlips{
    {"(0 Maybe 1) For Not (2 Against 0)", '2', {{0, '2'}, {1, '0'}, {1, '1'}, {2, '2'}, {3, '2'}}},
    {"(0 Maybe 1) For Not (2 Against 0)", '0', {{2, '0'}, {3, '0'}}},
    {"Not 0 For 1", '2', {{0, '2'}, {1, '2'}}},
    {"1 And Not 0 Or 1", '0', {{2, '0'}}},
    {"Not (0 Or 0) Xand 2", '1', {{0, '1'}, {1, '2'}, {2, '1'}}},
    {"Not (1 And 2)", '0', {{1, '0'}}},  // "Not 0" alone has no value
    {"Not (1 And 2)", '2', {{0, '1'}, {1, '2'}}},
    {"1 Or 2 And 2", '2', {}},           // the right answer needs no slip
};

TEST(Explain, HandWorkedSlips)
{
    for (const auto &row : kSlips) {
        SCOPED_TRACE(row.text + " as " + row.chosen);
        std::vector<std::pair<std::size_t, char>> slips;
        for (const auto &slip : nlt::FindSlips(nlt::ExplainExpression(row.text), row.chosen))
            slips.emplace_back(slip.step, slip.takenAs);
        EXPECT_EQ(slips, row.slips);
    }
}

// Random texts: nested chains with "Not " runs and repeated groups; one in
// three spoilt by inserted characters.
struct TextMaker {
    explicit TextMaker(std::uint64_t seed) : rng(seed) {}
    std::mt19937_64 rng;
    bool binary = false;
    std::vector<std::string> groups;

    std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); }
    std::string Operand(int depth)
    {
        std::string text;
        for (std::size_t n = Below(4) == 0 ? 1 + Below(3) : 0; n > 0; --n)
            text += "Not ";
        if (depth > 0 && Below(3) == 0) {
            if (groups.empty() || Below(3) > 0)
                groups.push_back('(' + Chain(depth - 1) + ')');
            return text + groups[Below(groups.size())];
        }
        return text + static_cast<char>(binary ? '1' + Below(2) : '0' + Below(3));
    }
    std::string Chain(int depth)
    {
        std::string text = Operand(depth);
        for (std::size_t n = Below(8) == 0 ? 0 : 1 + Below(4); n > 0; --n)
            text += ' ' + std::string(nlt::OperatorWord(binary ? nlt::kBinaryOperators[Below(6)] : nlt::kAllOperators[Below(18)])) + ' ' + Operand(depth);
        return text;
    }
    std::string Make()
    {
        binary = Below(4) == 0;
        groups.clear();
        std::string text = Chain(static_cast<int>(Below(4)));
        for (std::size_t n = Below(3) == 0 ? 1 + Below(2) : 0; n > 0 && !text.empty(); --n)
            text.insert(Below(text.size()), 1, "0(  )Norx"[Below(9)]);
        return text;
    }
};

// The truth-table cell and "Not 0" value from the independent reference tables.
char Cell(char left, nlt::Operator op, char right)
{
    for (const auto &row : nlt::reference::kTruthRows)
        if (row.word == nlt::OperatorWord(op))
            return row.cells[static_cast<std::size_t>(3 * (left - '0') + (right - '0'))];
    return '?';
}
char NotZero(nlt::Operator op, bool before)
{
    for (const auto &row : nlt::reference::kNotZeroRows)
        if (row.word == nlt::OperatorWord(op))
            return before ? row.afterOperator : row.beforeOperator;
    return '?';
}

// Replays every group from its steps and the text: an operand's value comes
// from the "Not" step or the group that ends (or starts) where it does, else from
// its character. Keys: group, position, 'n'/'N' negation end/start, 'c' cancel
// start, 'g'/'G' group end/start.
void CheckWorking(const std::string &text, const Explanation &e)
{
    std::map<std::tuple<std::size_t, std::size_t, char>, std::size_t> at;
    for (const auto &s : e.steps) {
        ASSERT_LE(s.range.begin + s.range.length, text.size()) << Describe(text, s);
        if (s.kind == StepKind::CancelNots)
            at[{s.group, s.range.begin, 'c'}] = s.range.length;
        else if (s.kind != StepKind::Fold)
            at[{s.group, s.range.begin + s.range.length, 'n'}] = at[{s.group, s.range.begin, 'N'}] = s.value;
    }
    for (std::size_t g = 0; g < e.groups.size(); ++g) {
        const auto &range = e.groups[g].range;
        at[{e.groups[g].parent, range.begin + range.length, 'g'}] = at[{e.groups[g].parent, range.begin, 'G'}] = e.groups[g].value;
        EXPECT_TRUE(g == 0 || e.groups[g - 1].range.begin + e.groups[g - 1].range.length <= range.begin + range.length);
    }
    const auto find = [&](std::size_t g, std::size_t pos, char key, std::size_t otherwise) {
        const auto it = at.find({g, pos, key});
        return it == at.end() ? otherwise : it->second;
    };
    const auto endingAt = [&](std::size_t g, std::size_t end) {
        return static_cast<char>(find(g, end, 'n', find(g, end, 'g', static_cast<unsigned char>(text[end - 1]))));
    };
    const auto startingAt = [&](std::size_t g, std::size_t begin) {
        begin += find(g, begin, 'c', 0);
        return static_cast<char>(find(g, begin, 'N', find(g, begin, 'G', static_cast<unsigned char>(text[begin]))));
    };
    for (std::size_t g = 0; g < e.groups.size(); ++g) {
        const auto &group = e.groups[g];
        const std::size_t chainBegin = group.parent == nlt::kNoGroup ? 0 : group.range.begin + 1;
        char value = startingAt(g, chainBegin);
        for (std::size_t k = group.firstStep; k < group.firstStep + group.stepCount; ++k) {
            const nlt::Step &s = e.steps[k];
            const std::string word(nlt::OperatorWord(s.op)), range = Slice(text, s.range);
            SCOPED_TRACE(Describe(text, s));
            EXPECT_EQ(s.group, g);
            EXPECT_TRUE(k == group.firstStep || e.steps[k - 1].kind <= s.kind);
            EXPECT_TRUE(s.range.begin >= group.range.begin &&
                        s.range.begin + s.range.length <= group.range.begin + group.range.length);
            if (s.kind == StepKind::Negate || s.kind == StepKind::NotZero) {
                EXPECT_EQ(s.value, s.left == '1' ? '2' : s.left == '2' ? '1' : NotZero(s.op, s.operatorBefore));
                EXPECT_EQ(s.kind == StepKind::NotZero, s.left == '0');
                EXPECT_EQ(s.left, startingAt(g, s.range.begin + 4));
            }
            if (s.kind != StepKind::Fold)
                continue;
            EXPECT_TRUE(s.range.begin == chainBegin || range.starts_with(word + ' '));
            EXPECT_EQ(s.left, value);
            EXPECT_EQ(s.right, endingAt(g, s.range.begin + s.range.length));
            EXPECT_EQ(s.value, Cell(s.left, s.op, s.right));
            value = s.value;
        }
        EXPECT_EQ(group.value, value);
    }
    EXPECT_EQ(e.value, e.groups.back().value);
    EXPECT_EQ(e.groups.back().range.length, text.size());
}

// Every single slip of the explanation, found by writing the slipped value into
// the text in place of what the step works out and evaluating the new text.
void CheckSlips(const std::string &text, const Explanation &e)
{
    std::vector<std::size_t> chainBegin(e.groups.size(), text.size());
    for (const auto &s : e.steps)
        if (s.kind == StepKind::Fold && s.range.begin < chainBegin[s.group])
            chainBegin[s.group] = s.range.begin;
    std::vector<std::tuple<std::size_t, char, std::optional<char>>> outcomes;
    for (std::size_t k = 0; k < e.steps.size(); ++k) {
        const nlt::Step &s = e.steps[k];
        if (s.kind == StepKind::CancelNots)
            continue;
        const std::size_t begin = s.kind == StepKind::Fold ? chainBegin[s.group] : s.range.begin;
        for (const char v : {'0', '1', '2'})
            if (v != s.value)
                outcomes.emplace_back(k, v, Evaluate(text.substr(0, begin) + v + text.substr(s.range.begin + s.range.length)));
    }
    for (const char chosen : {'0', '1', '2'}) {
        std::vector<std::pair<std::size_t, char>> expected, found;
        for (const auto &[step, v, outcome] : outcomes)
            if (chosen != e.value && outcome == chosen)
                expected.emplace_back(step, v);
        for (const auto &slip : nlt::FindSlips(e, chosen))
            found.emplace_back(slip.step, slip.takenAs);
        EXPECT_EQ(found, expected) << "chosen " << chosen;
    }
}

// The explanation agrees with the evaluator and the syntax check, and its working replays.
// Returns whether the text was explained step by step.
bool CheckText(const std::string &text, bool withSlips)
{
    SCOPED_TRACE(text.size() <= 200 ? text : text.substr(0, 200) + "...");
    const auto value = Evaluate(text);
    const auto problem = nlt::FindSyntaxProblem(text);
    if (!value) {
        EXPECT_THROW(nlt::ExplainExpression(text), nlt::EvaluationError);
        EXPECT_TRUE(problem.has_value());
        return false;
    }
    const Explanation e = nlt::ExplainExpression(text);
    EXPECT_EQ(e.value, *value);
    EXPECT_EQ(problem.has_value(), e.groups.empty());
    EXPECT_TRUE(!problem || (problem->position <= text.size() && !problem->message.empty()));
    if (e.groups.empty())
        return false;
    CheckWorking(text, e);
    if (withSlips)
        CheckSlips(text, e);
    return true;
}

TEST(Explain, GeneratedQuestionsUpToTheDifficultyCap)
{
    nlt::TestCounters counters{.TermCount = 1};
    nlt::SeededRandomSource random(20240611);
    std::size_t longest = 0;
    for (int question = 1; question <= 400 && !HasFailure(); ++question) {
        const nlt::QuestionParts parts = question % 2 == 1 ? nlt::BuildTertiaryParts(counters, random)
                                                           : nlt::BuildBinaryParts(counters, random);
        const std::string text = nlt::JoinParts(parts);
        longest = std::max(longest, text.size());
        EXPECT_TRUE(CheckText(text, text.size() <= 1500)) << "question " << question;
    }
    EXPECT_GT(longest, 50'000u); // the run reached the capped difficulty
}

TEST(Explain, RandomTexts)
{
    TextMaker maker(0x5eed);
    int explained = 0;
    for (int i = 0; i < 4000 && !HasFailure(); ++i) {
        const std::string text = maker.Make();
        explained += CheckText(text, text.size() <= 300);
    }
    // Both kinds of text were met in numbers.
    EXPECT_TRUE(explained > 1500 && explained < 3500) << explained;
}

} // namespace
