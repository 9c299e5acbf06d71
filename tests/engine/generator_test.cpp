// The two question generators: first questions, operator draws, the shape of
// every question up to the difficulty cap and the order of window effects.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/difficulty.h"
#include "engine/evaluator.h"
#include "engine/generator.h"
#include "engine/language.h"
#include "question_checks.h"

namespace nlt::checks {
namespace {

// The text with each of the given value characters written as "v" and each
// " Or " and " And " as " op ", so a question's shape can be compared.
std::string Shape(std::string text, std::string_view values)
{
    for (char &c : text)
        c = values.find(c) != std::string_view::npos ? 'v' : c;
    for (const std::string_view word : {" Or ", " And "})
        for (std::size_t at; (at = text.find(word)) != std::string::npos;)
            text.replace(at, word.size(), " op ");
    return text;
}

TEST(FirstQuestions, FirstIsOneOrTermThenTwoOneOperatorChains)
{
    for (const Logic test : {Logic::Tertiary, Logic::Binary}) {
        const std::string_view values = test == Logic::Tertiary ? "012" : "12";
        std::set<std::string> secondShapes;
        for (std::uint64_t seed = 0; seed < 200; ++seed) {
            SeededRandomSource random(seed);
            TestCounters counters{.TermCount = 1};
            std::vector<std::string> log;
            RecordingWindow window(log);
            NewTertiaryQuestion(counters, random, window);
            ASSERT_EQ(window.text().substr(2, 4), " Or ") << window.text();
            ASSERT_EQ(Shape(window.text(), "012"), "(v op v)") << window.text();
            ASSERT_EQ(counters.QuestionScore, 111);
            ASSERT_TRUE(window.title().ends_with(": 0"));
            NewQuestion(test, counters, random, window);
            secondShapes.insert(Shape(window.text(), values));
            ASSERT_EQ(counters.QuestionScore, 122);
            ASSERT_TRUE(window.title().ends_with(": 1"));
        }
        // The three-valued generator appends the second chain bare or grouped.
        const std::set<std::string> expected = test == Logic::Tertiary
            ? std::set<std::string>{"(v op v) op v op v", "(v op v) op (v op v)"}
            : std::set<std::string>{"(v op v) op (v op v)"};
        EXPECT_EQ(secondShapes, expected);
    }
}

enum class Build { TertiaryChain, BinaryChain, TertiaryQuestion };

struct ScriptRow {
    const char *name;
    Build build;
    TestCounters counters;
    std::vector<double> draws;
    std::string expected;
    int score;
};

// Draw scripts worked by hand from the generator's steps, one u per draw.
const ScriptRow kScriptRows[] = {
    // value 1; two operators; redraw (d 4), Or; value 0; Xand; value 2; negation
    // scan: prefix the 1, meet it again, prefix the 0, stop at the old length.
    {"tertiary_chain", Build::TertiaryChain, {.TermCount = 4, .Level = 19},
     {0.5, 0.9, 3.5 / 19, 0.0, 0.0, 18.5 / 19, 0.99, 0.95, 0.1, 0.85}, "Not 1 Or Not 0 Xand 2", 2},
    // value 1; redraw (d 3), Xand; value 1; the first 1 is prefixed twice, the
    // last one is pushed past the scanned length.
    {"binary_chain", Build::BinaryChain, {.TermCount = 1, .Level = 14},
     {0.2, 0.5, 2.5 / 14, 13.5 / 14, 0.2, 0.9, 0.9}, "Not Not 1 Xand 1", 1},
    // Two chains "0 And 1" and "2 Or 0"; two rounds each (p 1 then 1 inside the
    // new group; p 0 raised to 1, then 2); join And, second chain bare.
    {"tertiary_question", Build::TertiaryQuestion, {.TermCount = 2, .NestingRounds = 1, .Level = 1},
     {0.0, 0.0, 0.6, 0.4, 0.99, 0.5, 0.1, 0.0,   // chains
      0.9, 0.5, 0.0, 0.0, 0.7, 0.5, 0.0, 0.0, 0.9, 0.0,   // chain 1 rounds
      0.1, 0.4, 0.0, 0.2, 0.4, 0.99, 0.99, 0.0, 0.0, 0.99, // chain 2 rounds
      0.7, 0.2},                                           // join
     "(((0 And 0) Or 2) And 1) And (1 Or (2 Or 2)) Or 0", 246},
};

class ScriptedDraws : public ::testing::TestWithParam<ScriptRow> {};

TEST_P(ScriptedDraws, FollowTheStepsInOrder)
{
    const ScriptRow &row = GetParam();
    ScriptedRandom random(row.draws);
    TestCounters counters = row.counters;
    std::string text;
    switch (row.build) {
    case Build::TertiaryChain: text = MakeTertiaryChain(counters, random); break;
    case Build::BinaryChain: text = MakeBinaryChain(counters, random); break;
    case Build::TertiaryQuestion: text = JoinParts(BuildTertiaryParts(counters, random)); break;
    }
    EXPECT_EQ(text, row.expected);
    EXPECT_EQ(counters.QuestionScore, row.score);
    EXPECT_TRUE(random.Exhausted());
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptedDraws, ::testing::ValuesIn(kScriptRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct FrequencyRow {
    Logic test;
    int level;
    std::map<std::string, double> chances;
};

const FrequencyRow kFrequencyRows[] = {
    {Logic::Tertiary, 1, {{"Or", 1.0}}},
    {Logic::Tertiary, 2, {{"Or", 1 / 2.0}, {"And", 1 / 2.0}}},
    {Logic::Tertiary, 3, {{"Or", 1 / 3.0}, {"And", 1 / 3.0}, {"Maybe", 1 / 3.0}}},
    {Logic::Tertiary, 4, {{"Or", 1 / 3.0}, {"And", 1 / 3.0}, {"Maybe", 1 / 3.0}}},
    {Logic::Tertiary, 5, {{"Or", 1 / 4.0}, {"And", 1 / 4.0}, {"Maybe", 1 / 4.0}, {"For", 1 / 4.0}}},
    {Logic::Tertiary, 19, {{"Or", 1 / 18.0},     {"And", 1 / 18.0},    {"Maybe", 1 / 18.0},  {"For", 1 / 18.0},
                          {"Against", 1 / 18.0}, {"With", 1 / 18.0},  {"Nor", 1 / 18.0},    {"Nand", 1 / 18.0},
                          {"Nmaybe", 1 / 18.0}, {"Nfor", 1 / 18.0},   {"Nagainst", 1 / 18.0}, {"Nwith", 1 / 18.0},
                          {"Xor", 1 / 18.0},    {"Xmaybe", 1 / 18.0}, {"Xfor", 1 / 18.0},   {"Xagainst", 1 / 18.0},
                          {"Xwith", 1 / 18.0},  {"Xand", 1 / 18.0}}},
    {Logic::Binary, 1, {{"Or", 1.0}}},
    {Logic::Binary, 3, {{"Or", 1 / 2.0}, {"And", 1 / 2.0}}},
    {Logic::Binary, 4, {{"Or", 1 / 3.0}, {"And", 1 / 3.0}, {"Nor", 1 / 3.0}}},
    {Logic::Binary, 6, {{"Or", 1 / 5.0}, {"And", 1 / 5.0}, {"Nor", 1 / 5.0}, {"Nand", 1 / 5.0}, {"Xor", 1 / 5.0}}},
    {Logic::Binary, 19, {{"Or", 1 / 18.0}, {"And", 1 / 18.0}, {"Nor", 1 / 18.0}, {"Nand", 1 / 18.0},
                        {"Xor", 1 / 18.0}, {"Xand", 13 / 18.0}}},
};

void PrintTo(const FrequencyRow &row, std::ostream *out)
{
    PrintTo(row.test, out);
    *out << " level " << row.level;
}

class OperatorFrequencies : public ::testing::TestWithParam<FrequencyRow> {};

// Chain operators and joining operators follow the draw table at each level,
// within five standard deviations; a redraw adds no operator and no blank.
TEST_P(OperatorFrequencies, MatchTheDrawTable)
{
    const FrequencyRow &row = GetParam();
    SeededRandomSource random(static_cast<std::uint64_t>(row.level));
    constexpr int kSamples = 12000;
    std::map<std::string, int> chainCounts, joinCounts;
    for (int i = 0; i < kSamples; ++i) {
        // TermCount 3 fixes one operator per chain.
        TestCounters chainState{.TermCount = 3, .Level = static_cast<std::int16_t>(row.level)};
        const std::string chain = row.test == Logic::Tertiary ? MakeTertiaryChain(chainState, random)
                                                             : MakeBinaryChain(chainState, random);
        const auto words = OperatorWords(chain);
        ASSERT_EQ(words.size(), 1u) << chain;
        ASSERT_EQ(chain.find("  "), std::string::npos) << chain;
        ++chainCounts[words.front()];
        // Two top-level chains, no nesting: one joining operator at this level.
        TestCounters joinState{.TermCount = 2, .NestingRounds = 0, .Level = static_cast<std::int16_t>(row.level - 1)};
        const QuestionParts parts = BuildParts(row.test, joinState, random);
        ASSERT_EQ(parts.joins.size(), 1u);
        ++joinCounts[OperatorWords(parts.joins.front()).at(0)];
    }
    for (const auto *counts : {&chainCounts, &joinCounts}) {
        int total = 0;
        for (const auto &[word, count] : *counts) {
            ASSERT_TRUE(row.chances.contains(word)) << word << " drawn at level " << row.level;
            total += count;
        }
        for (const auto &[word, chance] : row.chances) {
            const double observed = counts->contains(word) ? counts->at(word) / double(total) : 0.0;
            EXPECT_NEAR(observed, chance, 5 * std::sqrt(chance * (1 - chance) / total) + 1e-12) << word;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, OperatorFrequencies, ::testing::ValuesIn(kFrequencyRows));

struct ShapeCase {
    Logic test;
    std::uint64_t seed;
};

void PrintTo(const ShapeCase &c, std::ostream *out)
{
    PrintTo(c.test, out);
    *out << " seed " << c.seed;
}

class QuestionShape : public ::testing::TestWithParam<ShapeCase> {};

// Every question from the start to past the cap: valid format, negation only
// above level 13 and never before "2", the last value character of every
// top-level chain untouched, exactly NestingRounds groups per chain, the score
// from the operators drawn, and a value from the evaluator.
TEST_P(QuestionShape, HoldsAtEveryDifficulty)
{
    const auto [test, seed] = GetParam();
    SeededRandomSource random(seed);
    FormatChecker checker = CheckerFor(test);
    TestCounters counters{.TermCount = 1};
    std::vector<std::string> log;
    RecordingWindow window(log);
    for (int question = 1; question <= 420; ++question) {
        const TestCounters entry = counters;
        const QuestionParts parts = BuildParts(test, counters, random);
        const std::string text = JoinParts(parts);
        const int rounds = counters.NestingRounds;
        ASSERT_TRUE(checker.IsExpression(text)) << text;
        ASSERT_EQ(text.find("Not 2"), std::string::npos);
        if (counters.Level <= kNegationLevel) {
            ASSERT_EQ(text.find("Not "), std::string::npos) << text;
        }
        ASSERT_EQ(parts.chains.size(), counters.TermCount);
        ASSERT_TRUE(parts.grouped.front());
        int operators = 0;
        for (std::size_t k = 0; k < parts.chains.size(); ++k) {
            const std::string &chain = parts.chains[k];
            ASSERT_TRUE(IsValueCharacter(chain.back())) << chain;
            ASSERT_EQ(std::count(chain.begin(), chain.end(), '('), rounds > 1 ? rounds : 0) << chain;
            ASSERT_TRUE(test == Logic::Tertiary || parts.grouped[k]);
            operators += static_cast<int>(OperatorWords(chain).size());
        }
        ASSERT_EQ(counters.QuestionScore, 100 * entry.TermCount + 10 * rounds * counters.TermCount + operators);
        // Evaluating every question would dominate the run time; sample the high ones.
        if (question <= 60 || question % 40 == 0) {
            const std::string value = EvaluateExpression(text);
            ASSERT_EQ(value.size(), 1u);
            ASSERT_NE(std::string_view(test == Logic::Binary ? "12" : "012").find(value[0]), std::string_view::npos)
                << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, QuestionShape,
                         ::testing::Values(ShapeCase{Logic::Tertiary, 1}, ShapeCase{Logic::Tertiary, 2},
                                           ShapeCase{Logic::Binary, 3}, ShapeCase{Logic::Binary, 4}));

struct WindowCase {
    Logic test;
    bool tertiarySelected;
    bool flipsDuringEvaluation;
    const char *enable;
};

void PrintTo(const WindowCase &c, std::ostream *out)
{
    PrintTo(c.test, out);
    *out << (c.tertiarySelected ? " tertiary selected" : " binary selected")
         << (c.flipsDuringEvaluation ? ", switched while evaluating" : "");
}

class WindowEffects : public ::testing::TestWithParam<WindowCase> {};

// Buttons off first, reseed, title with the level on entry, text shown before
// it is evaluated, answer stored before the buttons come back, Unknown only if
// "Tertiary Logic" is selected at the end.
TEST_P(WindowEffects, ComeInOrder)
{
    const WindowCase &c = GetParam();
    std::vector<std::string> log;
    class LoggedRandom : public RandomSource {
    public:
        explicit LoggedRandom(std::vector<std::string> &log) : log_(log) {}
        void Reseed() override { log_.push_back("reseed"); }
        double Next() override { return inner_.Next(); }

    private:
        std::vector<std::string> &log_;
        SeededRandomSource inner_{7};
    } random(log);
    RecordingWindow window(log, c.tertiarySelected, c.flipsDuringEvaluation);
    TestCounters counters{.TermCount = 4, .NestingRounds = 2, .Level = 15};
    NewQuestion(c.test, counters, random, window);

    const std::vector<std::string> expected{"disable", "reseed", "title", "expression", "process", "store", c.enable};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(window.title().substr(window.title().size() - 4), ": 15");
    EXPECT_EQ(window.answer(), EvaluateExpression(window.text()));
}

INSTANTIATE_TEST_SUITE_P(Selections, WindowEffects,
                         ::testing::Values(WindowCase{Logic::Tertiary, true, false, "enable+unknown"},
                                           WindowCase{Logic::Tertiary, true, true, "enable"},
                                           WindowCase{Logic::Tertiary, false, true, "enable+unknown"},
                                           WindowCase{Logic::Binary, false, false, "enable"},
                                           WindowCase{Logic::Binary, true, false, "enable+unknown"},
                                           WindowCase{Logic::Binary, false, true, "enable+unknown"}));

} // namespace
} // namespace nlt::checks
