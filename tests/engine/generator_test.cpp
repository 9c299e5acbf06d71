// The two question generators and the difficulty rule they share: every random
// draw by its distribution, the difficulty table with the window calls of each
// question, and the cap.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <sstream>

#include "engine/difficulty.h"
#include "engine/evaluator.h"
#include "engine/generator.h"

namespace nlt {
namespace {

// The text with value characters as "v" and operator words as "op".
std::string Shape(std::string_view text)
{
    std::string shape;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] >= '0' && text[at] <= '2')
            shape += 'v';
        else if (text[at] < 'A' || text[at] > 'Z' || text.substr(at, 4) == "Not ")
            shape += text[at];
        else
            shape += "op", at = text.find(' ', at) - 1;
    }
    return shape;
}

// Operators in a text: one "op" each in its shape.
int OperatorCount(std::string_view text) { return static_cast<int>(std::ranges::count(Shape(text), 'p')); }

using Counts = std::map<std::string, int>;
using Chances = std::vector<std::pair<std::string, double>>;

// Each key with the same chance.
Chances Evenly(std::initializer_list<const char *> keys)
{
    Chances chances;
    for (const char *key : keys)
        chances.emplace_back(key, 1.0 / static_cast<double>(keys.size()));
    return chances;
}

// What a row builds: a question, or one chain.
QuestionParts TertiaryChain(TestCounters &c, RandomSource &r) { return {{MakeTertiaryChain(c, r)}, {}, {}}; }
QuestionParts BinaryChain(TestCounters &c, RandomSource &r) { return {{MakeBinaryChain(c, r)}, {}, {}}; }

// What a row counts in each build.
void OperatorWords(const QuestionParts &p, Counts &n)
{
    std::istringstream words(JoinParts(p)); // an operator word stands between blanks
    for (std::string w; words >> w;)
        std::isupper(static_cast<unsigned char>(w[0])) && w != "Not" ? ++n[w] : 0;
}
void ValueCharacters(const QuestionParts &p, Counts &n) { for (char c : JoinParts(p)) c >= '0' && c <= '2' ? ++n[{c}] : 0; }
void ChainLength(const QuestionParts &p, Counts &n) { ++n[std::to_string(OperatorCount(p.chains[0]))]; }
void ChainShapes(const QuestionParts &p, Counts &n) { for (const std::string &c : p.chains) ++n[Shape(c)]; }
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

// 20,000 builds: every key within five standard deviations of its expected
// count, none unexpected.
TEST_P(Draws, FollowTheirDistribution)
{
    const DrawRow &row = GetParam();
    SeededRandomSource random(2024);
    Counts counts;
    for (int i = 0; i < 20000; ++i) {
        TestCounters c = row.start;
        row.count(row.build(c, random), counts);
    }
    const double total = std::accumulate(counts.begin(), counts.end(), 0.0, [](double t, auto &kv) { return t + kv.second; });
    double chances = 0;
    for (const auto &[key, p] : row.expected) {
        chances += p;
        EXPECT_LE(std::abs(counts[key] - total * p), 5 * std::sqrt(total * p * (1 - p))) << key << " of " << total;
        counts.erase(key);
    }
    EXPECT_NEAR(chances, 1, 1e-12);
    EXPECT_EQ(counts, Counts{});
}

// A question from these counters has two one-operator chains at this level,
// no nesting, and one joining operator.
constexpr TestCounters Second(int level) { return {.TermCount = 1, .NestingRounds = 1, .Level = std::int16_t(level - 1)}; }
constexpr TestCounters Chain(int terms, int level) { return {.TermCount = std::uint8_t(terms), .Level = std::int16_t(level)}; }
// Operators per chain, 1 + floor(u x TermCount / 3), at TermCount 7.
const Chances kSevenTerms{{"1", 3 / 7.}, {"2", 3 / 7.}, {"3", 1 / 7.}};
// Three rounds on "v op v" (TermCount 3): p = floor(u x D) raised to 1 picks
// value 1 at D = 2; 1, 1, 2 at D = 3; 1, 1, 2, 3 at D = 4.
const Chances kThreeRounds{{"(((v op v) op v) op v) op v", 1 / 3.}, {"((v op (v op v)) op v) op v", 1 / 6.},
                           {"((v op v) op (v op v)) op v", 1 / 3.}, {"(v op ((v op v) op v)) op v", 1 / 12.},
                           {"(v op (v op (v op v))) op v", 1 / 12.}};
constexpr TestCounters kSixthQuestion{.TermCount = 3, .NestingRounds = 2, .Level = 5};

INSTANTIATE_TEST_SUITE_P(Rows, Draws, ::testing::Values(
    DrawRow{"operators, level 1", BuildTertiaryParts, {.TermCount = 1}, OperatorWords, {{"Or", 1}}},
    DrawRow{"operators, level 2", BuildTertiaryParts, Second(2), OperatorWords, Evenly({"Or", "And"})},
    DrawRow{"operators, level 5", BuildTertiaryParts, Second(5), OperatorWords, Evenly({"Or", "And", "Maybe", "For"})},
    DrawRow{"operators, level 19", BuildTertiaryParts, Second(19), OperatorWords, Evenly({"Or", "And", "Maybe", "For",
        "Against", "With", "Nor", "Nand", "Nmaybe", "Nfor", "Nagainst", "Nwith", "Xor", "Xmaybe", "Xfor", "Xagainst",
        "Xwith", "Xand"})},
    DrawRow{"binary operators, level 4", BuildBinaryParts, Second(4), OperatorWords, Evenly({"Or", "And", "Nor"})},
    DrawRow{"binary operators, level 19", BuildBinaryParts, Second(19), OperatorWords, {{"Or", 1 / 18.},
        {"And", 1 / 18.}, {"Nor", 1 / 18.}, {"Nand", 1 / 18.}, {"Xor", 1 / 18.}, {"Xand", 13 / 18.}}},
    DrawRow{"values", BuildTertiaryParts, Second(2), ValueCharacters, Evenly({"0", "1", "2"})},
    DrawRow{"binary values", BuildBinaryParts, Second(2), ValueCharacters, Evenly({"1", "2"})},
    DrawRow{"chain length, 3 terms", TertiaryChain, Chain(3, 1), ChainLength, {{"1", 1}}},
    DrawRow{"chain length, 4 terms", TertiaryChain, Chain(4, 1), ChainLength, {{"1", .75}, {"2", .25}}},
    DrawRow{"chain length, 7 terms", TertiaryChain, Chain(7, 1), ChainLength, kSevenTerms},
    DrawRow{"binary chain length, 7 terms", BinaryChain, Chain(7, 1), ChainLength, kSevenTerms},
    // "Not " on 1 in 5 visits of a "0" or "1", again at each re-visit: k
    // prefixes with chance (1/5)^k x 4/5, times the chance of the value.
    DrawRow{"negation", TertiaryChain, Chain(13, 14), Prefixes, {{"0", 2 / 3. * 4 / 5},
        {"1", 2 / 3. * 4 / 25}, {"2", 2 / 3. * 4 / 125}, {"3", 2 / 3. / 125}, {"0 before 2", 1 / 3.}}},
    DrawRow{"binary negation", BinaryChain, Chain(13, 14), Prefixes, {{"0", .5 * 4 / 5}, {"1", .5 * 4 / 25},
        {"2", .5 * 4 / 125}, {"3", .5 / 125}, {"0 before 2", .5}}},
    DrawRow{"nesting", BuildTertiaryParts, kSixthQuestion, ChainShapes, kThreeRounds},
    DrawRow{"binary nesting", BuildBinaryParts, kSixthQuestion, ChainShapes, kThreeRounds},
    DrawRow{"joins", BuildTertiaryParts, Second(2), TextShape, Evenly({"(v op v) op v op v", "(v op v) op (v op v)"})},
    DrawRow{"binary joins", BuildBinaryParts, Second(2), TextShape, {{"(v op v) op (v op v)", 1}}}));

// Every u just below 1: every chain draws its most operators.
struct HighestRandom : RandomSource {
    void Reseed() override {}
    double Next() override { return std::nextafter(1.0, 0.0); }
};

// Logs the window calls as letters: d(isable), t(itle), e(xpression), p (event
// passes, once per run), s(tore), then E, or U when Unknown is enabled too;
// the "Tertiary Logic" selection switches at the first event pass when flip is set.
struct RecordingWindow : QuestionWindow {
    void DisableAnswerButtons() override { log += 'd'; }
    void SetTitle(const std::string &t) override { title = t, log += 't'; }
    void SetExpression(const std::string &t) override { text = t, log += 'e'; }
    void ProcessPendingEvents() override { log += log.back() == 'p' ? "" : "p", tertiary ^= std::exchange(flip, false); }
    void StoreCorrectAnswer(const std::string &v) override { answer = v, log += 's'; }
    bool TertiarySelected() const override { return tertiary; }
    void EnableAnswerButtons(bool unknownToo) override { log += unknownToo ? 'U' : 'E'; }
    bool tertiary = true, flip = false;
    std::string log, title, text, answer;
};

// The n-th question of a run from the start state, for both generators (the
// first question of a run is always three-valued): the title with the level on
// entry, the counters, and the fixed score 100 x TermCount on entry +
// 10 x NestingRounds x TermCount, the chain operators coming on top. The
// window calls come in order, the answer stored before the buttons come back
// and Unknown enabled by the selection at the end, switched during the
// evaluation of every second question.
TEST(Difficulty, QuestionsOfARunFollowTheTable)
{
    const struct { int question, titleLevel, termCount, nestingRounds, level, fixedScore; } rows[] = {
        {1, 0, 1, 1, 1, 110},    {2, 1, 2, 1, 2, 120},    {3, 2, 2, 2, 3, 240},     {4, 3, 3, 1, 4, 230},
        {5, 4, 3, 2, 5, 360},    {6, 5, 3, 3, 6, 390},    {7, 6, 4, 2, 7, 380},     {10, 9, 5, 2, 10, 500},
        {14, 13, 6, 3, 14, 680}, {19, 18, 7, 4, 19, 980}, {20, 19, 7, 5, 19, 1050}};
    for (const auto &row : rows)
        for (const bool binary : {false, true}) {
            TestCounters counters{.TermCount = 1};
            SeededRandomSource random(static_cast<std::uint64_t>(row.question));
            RecordingWindow window;
            for (int question = 1; question <= row.question; ++question) {
                window.log.clear(), window.tertiary = !binary, window.flip = question % 2 == 0;
                (binary && question > 1 ? NewBinaryQuestion : NewTertiaryQuestion)(counters, random, window);
                ASSERT_EQ(window.log, std::string("dteps") + (window.tertiary ? "U" : "E"));
                ASSERT_EQ(window.answer, EvaluateExpression(window.text));
            }
            EXPECT_EQ(window.title, std::string("Zentrix Raw Processing Power ") +
                                        (binary && row.question > 1 ? "Binary" : "Tertiary") +
                                        " Nested Logic Test Level: " + std::to_string(row.titleLevel));
            const int chainOperators = OperatorCount(window.text) - (row.termCount - 1);
            EXPECT_EQ(std::tuple(int(counters.TermCount), int(counters.NestingRounds), int(counters.Level),
                                 counters.QuestionScore - chainOperators),
                      std::tuple(row.termCount, row.nestingRounds, row.level, row.fixedScore))
                << "question " << row.question << ": " << window.text;
        }
}

// The rise stops at TermCount 37, NestingRounds 33 (question 393): a
// worst-case question there (u just below 1: every chain at its most
// operators) is worth 100 x 37 + 10 x 33 x 37 + 37 chains x 34 sub-chains x
// 13 operators = 32,264 points, while 34 rounds could reach 33,115, past 32,767.
TEST(Difficulty, RiseStopsAtTheLastStepThatFits)
{
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

} // namespace
} // namespace nlt
