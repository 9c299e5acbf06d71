// The two question generators and the difficulty rule they share: every random
// draw by its distribution, the difficulty table of a run's questions, the cap
// and the resets that start a run.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <regex>
#include <tuple>

#include "engine/difficulty.h"
#include "engine/evaluator.h"
#include "engine/generator.h"

namespace nlt {
namespace {

// An operator word ("Not " is none) and a value character.
const std::regex kWord("(?!Not )[A-Z][a-z]+"), kValue("[012]");

// The text with value characters as "v" and operator words as "op".
std::string Shape(const std::string &text) { return std::regex_replace(std::regex_replace(text, kValue, "v"), kWord, "op"); }

// Operators in a text: one "op" each in its shape.
int OperatorCount(const std::string &text) { return static_cast<int>(std::ranges::count(Shape(text), 'p')); }

using Counts = std::map<std::string, int>;
// Keys and their weights: a row's weights are its keys' chances up to one factor.
using Chances = std::vector<std::pair<std::string, double>>;

// What a row builds: a question, or one chain.
QuestionParts TertiaryChain(TestCounters &c, RandomSource &r) { return {{MakeTertiaryChain(c, r)}, {}, {}}; }
QuestionParts BinaryChain(TestCounters &c, RandomSource &r) { return {{MakeBinaryChain(c, r)}, {}, {}}; }

// What a row counts in each build: the operator words or value characters of
// the text, the operators of its one chain, the shapes of the chains or text.
template <const std::regex &what> void Matches(const QuestionParts &p, Counts &n)
{
    const std::string text = JoinParts(p);
    for (std::sregex_iterator m(text.begin(), text.end(), what), end; m != end; ++m)
        ++n[m->str()];
}
void ChainLength(const QuestionParts &p, Counts &n) { ++n[std::to_string(OperatorCount(p.chains[0]))]; }
void ChainShapes(const QuestionParts &p, Counts &n)
{
    for (const std::string &c : p.chains)
        ++n[Shape(c)];
}
void TextShape(const QuestionParts &p, Counts &n) { ++n[Shape(JoinParts(p))]; }
// "Not " prefixes before the first value character (3 for three or more, with
// " before 2" when that is a "2"), in chains long enough for the scan to visit
// that character a fourth time (9 characters or more without the prefixes).
// The scan ends at the chain's old length, so the last value never gets two.
void Prefixes(const QuestionParts &p, Counts &n)
{
    const std::string &chain = p.chains[0];
    const std::size_t first = chain.find_first_of("012"), prefixes = std::size_t(std::ranges::count(Shape(chain), 'N'));
    if (chain.size() - 4 * prefixes >= 9)
        ++n[std::to_string(std::min<std::size_t>(first / 4, 3)) + (chain[first] == '2' ? " before 2" : "")];
    if (chain.size() > 9 && chain.compare(chain.size() - 9, 8, "Not Not ") == 0)
        ++n["two before the last value"];
}

// Builds from `start` and what each build counts, with the chances of the
// counted keys worked out by hand from the draws.
struct DrawRow {
    const char *what;
    QuestionParts (*build)(TestCounters &, RandomSource &);
    TestCounters start;
    void (*count)(const QuestionParts &, Counts &);
    Chances expected;
};

void PrintTo(const DrawRow &row, std::ostream *out) { *out << row.what; }

class Draws : public ::testing::TestWithParam<DrawRow> {};

// The sum of the second members.
double Sum(const auto &pairs)
{
    return std::accumulate(pairs.begin(), pairs.end(), 0.0, [](double sum, const auto &kv) { return sum + kv.second; });
}

// 20,000 builds: every key within five standard deviations of its expected
// count, none unexpected.
TEST_P(Draws, FollowTheirDistribution)
{
    const DrawRow &row = GetParam();
    SeededRandomSource random(2024);
    Counts counts;
    TestCounters c;
    for (int i = 0; i < 20000; ++i)
        row.count(row.build(c = row.start, random), counts);
    const double total = Sum(counts), weights = Sum(row.expected);
    for (const auto &[key, weight] : row.expected) {
        const double p = weight / weights;
        EXPECT_LE(std::abs(counts[key] - total * p), 5 * std::sqrt(total * p * (1 - p))) << key << " of " << total;
        counts.erase(key);
    }
    EXPECT_EQ(counts, Counts{});
}

// A question from these counters has two one-operator chains at this level,
// no nesting, and one joining operator.
constexpr TestCounters Second(int level) { return {.TermCount = 1, .NestingRounds = 1, .Level = std::int16_t(level - 1)}; }
constexpr TestCounters Chain(int terms, int level)
{
    return {.TermCount = std::uint8_t(terms), .Level = std::int16_t(level)};
}
// Three rounds on "v op v" (TermCount 3): p = floor(u x D) raised to 1 picks
// value 1 at D = 2; 1, 1, 2 at D = 3; 1, 1, 2, 3 at D = 4.
const Chances kThreeRounds{{"(((v op v) op v) op v) op v", 4}, {"((v op (v op v)) op v) op v", 2},
    {"((v op v) op (v op v)) op v", 4}, {"(v op ((v op v) op v)) op v", 1}, {"(v op (v op (v op v))) op v", 1}};

const DrawRow kDrawRows[] = {{"operators, level 1", BuildTertiaryParts, {.TermCount = 1}, Matches<kWord>, {{"Or", 1}}},
    {"operators, level 2", BuildTertiaryParts, Second(2), Matches<kWord>, {{"Or", 1}, {"And", 1}}},
    {"operators, level 5", BuildTertiaryParts, Second(5), Matches<kWord>, {{"Or", 1}, {"And", 1}, {"Maybe", 1}, {"For", 1}}},
    {"operators, level 19", BuildTertiaryParts, Second(19), Matches<kWord>,
        {{"Or", 1}, {"And", 1}, {"Maybe", 1}, {"For", 1}, {"Against", 1}, {"With", 1}, {"Nor", 1}, {"Nand", 1},
            {"Nmaybe", 1}, {"Nfor", 1}, {"Nagainst", 1}, {"Nwith", 1}, {"Xor", 1}, {"Xmaybe", 1}, {"Xfor", 1},
            {"Xagainst", 1}, {"Xwith", 1}, {"Xand", 1}}},
    {"binary operators, level 4", BuildBinaryParts, Second(4), Matches<kWord>, {{"Or", 1}, {"And", 1}, {"Nor", 1}}},
    {"binary operators, level 19", BuildBinaryParts, Second(19), Matches<kWord>,
        {{"Or", 1}, {"And", 1}, {"Nor", 1}, {"Nand", 1}, {"Xor", 1}, {"Xand", 13}}},
    {"values", BuildTertiaryParts, Second(2), Matches<kValue>, {{"0", 1}, {"1", 1}, {"2", 1}}},
    {"binary values", BuildBinaryParts, Second(2), Matches<kValue>, {{"1", 1}, {"2", 1}}},
    {"chain length, 3 terms", TertiaryChain, Chain(3, 1), ChainLength, {{"1", 1}}},
    {"chain length, 4 terms", TertiaryChain, Chain(4, 1), ChainLength, {{"1", 3}, {"2", 1}}},
    // Operators per chain, 1 + floor(u x TermCount / 3), at TermCount 7.
    {"chain length, 7 terms", TertiaryChain, Chain(7, 1), ChainLength, {{"1", 3}, {"2", 3}, {"3", 1}}},
    // "Not " on 1 in 5 visits of a "0" or "1", again at each re-visit: k prefixes with chance (1/5)^k x 4/5
    // times the chance q of the value (2/3, or 1/2 two-valued), in 375ths and 250ths; 1 - q for a first "2".
    {"negation", TertiaryChain, Chain(13, 14), Prefixes, {{"0", 200}, {"1", 40}, {"2", 8}, {"3", 2}, {"0 before 2", 125}}},
    {"binary negation", BinaryChain, Chain(13, 14), Prefixes,
        {{"0", 100}, {"1", 20}, {"2", 4}, {"3", 1}, {"0 before 2", 125}}},
    {"nesting", BuildTertiaryParts, {.TermCount = 3, .NestingRounds = 2, .Level = 5}, ChainShapes, kThreeRounds},
    {"joins", BuildTertiaryParts, Second(2), TextShape, {{"(v op v) op v op v", 1}, {"(v op v) op (v op v)", 1}}},
    {"binary joins", BuildBinaryParts, Second(2), TextShape, {{"(v op v) op (v op v)", 1}}}};
INSTANTIATE_TEST_SUITE_P(Rows, Draws, ::testing::ValuesIn(kDrawRows));

// Every u just below 1: every chain draws its most operators.
struct HighestRandom : RandomSource {
    void Reseed() override {}
    double Next() override { return std::nextafter(1.0, 0.0); }
};

// The n-th question of a run from the start state, for both generators (the
// first question of a run is always three-valued): it shows the level on
// entry, its value is its text's and its worth is QuestionScore; the counters
// and the fixed score 100 x TermCount on entry + 10 x NestingRounds x
// TermCount, the chain operators coming on top, follow the table.
TEST(Difficulty, QuestionsOfARunFollowTheTableUpToTheCap)
{
    // The question, the level its title shows, TermCount, NestingRounds and Level after it, and its fixed score.
    const int rows[][6] = {{1, 0, 1, 1, 1, 110}, {2, 1, 2, 1, 2, 120}, {3, 2, 2, 2, 3, 240}, {4, 3, 3, 1, 4, 230},
        {5, 4, 3, 2, 5, 360}, {6, 5, 3, 3, 6, 390}, {7, 6, 4, 2, 7, 380}, {10, 9, 5, 2, 10, 500}, {14, 13, 6, 3, 14, 680},
        {19, 18, 7, 4, 19, 980}, {20, 19, 7, 5, 19, 1050}};
    for (const auto &[n, titleLevel, termCount, nestingRounds, level, fixedScore] : rows)
        for (const bool binary : {false, true}) {
            TestCounters counters{.TermCount = 1};
            SeededRandomSource random(static_cast<std::uint64_t>(n));
            Question q;
            for (int question = 1; question <= n; ++question) {
                q = (binary && question > 1 ? NewBinaryQuestion : NewTertiaryQuestion)(counters, random);
                ASSERT_EQ(std::string(1, q.value), EvaluateExpression(q.text));
                ASSERT_EQ(q.worth, counters.QuestionScore);
            }
            EXPECT_EQ(std::tuple(q.level, q.binary, int(counters.TermCount), int(counters.NestingRounds),
                          int(counters.Level), q.worth - OperatorCount(q.text) + termCount - 1),
                std::tuple(titleLevel, binary && n > 1, termCount, nestingRounds, level, fixedScore))
                << n << ": " << q.text;
        }
    // The rise stops at TermCount 37, NestingRounds 33 (question 393): a
    // worst-case question there (u just below 1: every chain at its most
    // operators) is worth 100 x 37 + 10 x 33 x 37 + 37 chains x 34 sub-chains x
    // 13 operators = 32,264 points, while 34 rounds could reach 33,115, past 32,767.
    for (const auto build : {BuildTertiaryParts, BuildBinaryParts}) {
        TestCounters counters{.TermCount = 1};
        for (int question = 1; question < 2000; ++question)
            AdvanceDifficulty(counters);
        HighestRandom highest;
        build(counters, highest);
        EXPECT_EQ(std::tuple(int(counters.TermCount), int(counters.NestingRounds), int(counters.Level),
                      int(counters.QuestionScore)),
            std::tuple(37, 33, 19, 32264));
    }
}

// A run starts at TermCount 1 with the level the last run reached; another
// test starts it from 0. Its first question shows that level and is worth
// 100 x 1 + 10 x one round + one operator.
TEST(Difficulty, RunsStartFromTheirResets)
{
    // What starts the run, the level before, the level its first question shows and the level after it.
    const std::tuple<const char *, void (*)(TestCounters &), int, int, int> rows[] = {
        {"a run without results", nullptr, 5, 5, 6}, {"a run at the top level", nullptr, 19, 19, 19},
        {"Sit Another Test", StartAnotherTest, 5, 0, 1}};
    for (const auto &[what, reset, levelBefore, levelShown, levelAfter] : rows) {
        TestCounters counters{.TermCount = 9, .QuestionScore = 500, .NestingRounds = 7, .Level = std::int16_t(levelBefore)};
        if (reset)
            reset(counters);
        StartRun(counters);
        EXPECT_EQ(std::tuple(int(counters.TermCount), int(counters.NestingRounds), int(counters.QuestionScore)),
            std::tuple(1, 0, 0))
            << what;
        SeededRandomSource random(3);
        const Question q = NewTertiaryQuestion(counters, random);
        EXPECT_EQ(std::tuple(q.level, q.worth, int(counters.TermCount), int(counters.NestingRounds), int(counters.Level)),
            std::tuple(levelShown, 111, 1, 1, levelAfter))
            << what;
    }
}

} // namespace
} // namespace nlt
