// The two question generators and the difficulty rule they share: first
// questions, exact draws, operator frequencies, the difficulty table and cap,
// every question of long runs, window effects.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "engine/difficulty.h"
#include "engine/evaluator.h"
#include "engine/generator.h"
#include "engine/language.h"

namespace nlt {
namespace {

enum class Logic { Tertiary, Binary };

void PrintTo(Logic logic, std::ostream *out) { *out << (logic == Logic::Tertiary ? "tertiary" : "binary"); }

// Logs the window calls (consecutive event passes count once); the "Tertiary
// Logic" selection switches at the first event pass when flip is set.
struct RecordingWindow : QuestionWindow {
    explicit RecordingWindow(bool tertiary = true, bool flip = false) : tertiary(tertiary), flip(flip) {}
    void DisableAnswerButtons() override { log.push_back("disable"); }
    void SetTitle(const std::string &t) override { title = t; log.push_back("title"); }
    void SetExpression(const std::string &t) override { text = t; log.push_back("expression"); }
    void ProcessPendingEvents() override
    {
        if (log.empty() || log.back() != "process")
            log.push_back("process");
        tertiary = tertiary != flip;
        flip = false;
    }
    void StoreCorrectAnswer(const std::string &v) override { answer = v; log.push_back("store"); }
    bool TertiarySelected() const override { return tertiary; }
    void EnableAnswerButtons(bool unknownToo) override { log.push_back(unknownToo ? "enable+unknown" : "enable"); }
    bool tertiary, flip;
    std::vector<std::string> log;
    std::string title, text, answer;
};

// Returns the scripted u values in order, then the last one forever; counts the
// draws and logs each reseed when given a log.
struct ScriptedRandom : RandomSource {
    explicit ScriptedRandom(std::vector<double> s, std::vector<std::string> *l = nullptr)
        : script(std::move(s)), log(l) {}
    void Reseed() override { log ? log->push_back("reseed") : void(); }
    double Next() override { return script[std::min(draws++, script.size() - 1)]; }
    std::vector<double> script;
    std::vector<std::string> *log;
    std::size_t draws = 0;
};

void NewQuestion(Logic test, TestCounters &c, RandomSource &random, QuestionWindow &window)
{
    test == Logic::Tertiary ? NewTertiaryQuestion(c, random, window) : NewBinaryQuestion(c, random, window);
}

QuestionParts BuildParts(Logic test, TestCounters &c, RandomSource &random)
{
    return test == Logic::Tertiary ? BuildTertiaryParts(c, random) : BuildBinaryParts(c, random);
}

// Operators in a text: each brings two blanks, each "Not " one.
int OperatorCount(std::string_view text)
{
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        count += text[i] == ' ' ? 1 : text[i] == 'N' && text.substr(i, 4) == "Not " ? -1 : 0;
    return count / 2;
}

// The text with every value character written as "v" and " Or "/" And " as " op ".
std::string Shape(std::string text)
{
    std::replace_if(text.begin(), text.end(), IsValueCharacter, 'v');
    for (const std::string_view word : {" Or ", " And "})
        for (std::size_t at; (at = text.find(word)) != std::string::npos;)
            text.replace(at, word.size(), " op ");
    return text;
}

TEST(FirstQuestions, FirstIsOneOrTermThenTwoOneOperatorChains)
{
    for (const Logic test : {Logic::Tertiary, Logic::Binary}) {
        std::set<std::string> secondShapes;
        for (std::uint64_t seed = 0; seed < 200; ++seed) {
            SeededRandomSource random(seed);
            TestCounters counters{.TermCount = 1};
            RecordingWindow window;
            NewTertiaryQuestion(counters, random, window);
            ASSERT_EQ(window.text.substr(2, 4), " Or ") << window.text;
            ASSERT_EQ(Shape(window.text), "(v op v)") << window.text;
            ASSERT_EQ(counters.QuestionScore, 111);
            NewQuestion(test, counters, random, window);
            secondShapes.insert(Shape(window.text));
            ASSERT_EQ(counters.QuestionScore, 122);
        }
        // The three-valued generator appends the second chain bare or grouped.
        std::set<std::string> expected{"(v op v) op (v op v)"};
        if (test == Logic::Tertiary)
            expected.insert("(v op v) op v op v");
        EXPECT_EQ(secondShapes, expected);
    }
}

// Draw scripts worked by hand from the generator's steps, one u per draw.
TEST(ScriptedDraws, FollowTheStepsInOrder)
{
    // value 1; two operators; redraw (d 4), Or; value 0; Xand; value 2; negation
    // scan: prefix the 1, meet it again, prefix the 0, stop at the old length
    // (a draw past the script would be 0).
    ScriptedRandom random({0.5, 0.9, 3.5 / 19, 0.0, 0.0, 18.5 / 19, 0.99, 0.95, 0.1, 0.85, 0.0});
    TestCounters counters{.TermCount = 4, .Level = 19};
    EXPECT_EQ(MakeTertiaryChain(counters, random), "Not 1 Or Not 0 Xand 2");
    EXPECT_EQ(random.draws, 10u);
    // Chains "0 And 1" and "2 Or 0"; two rounds each (p 1 then 1 inside the new
    // group; p 0 raised to 1, then 2); join And, second chain bare.
    random = ScriptedRandom({0.0, 0.0, 0.6, 0.4, 0.99, 0.5, 0.1, 0.0,       // chains
                             0.9, 0.5, 0.0, 0.0, 0.7, 0.5, 0.0, 0.0, 0.9, 0.0,       // chain 1 rounds
                             0.1, 0.4, 0.0, 0.2, 0.4, 0.99, 0.99, 0.0, 0.0, 0.99,    // chain 2 rounds
                             0.7, 0.2});                                             // join
    counters = {.TermCount = 2, .NestingRounds = 1, .Level = 1};
    EXPECT_EQ(JoinParts(BuildTertiaryParts(counters, random)), "(((0 And 0) Or 2) And 1) And (1 Or (2 Or 2)) Or 0");
    EXPECT_EQ(counters.QuestionScore, 246);
    EXPECT_EQ(random.draws, 30u);
}

// The operators drawn at a level: each has chance 1/denominator except the
// last, which takes the rest.
struct FrequencyRow {
    Logic test;
    int level;
    const char *words;
    int denominator;
};

class OperatorFrequencies : public ::testing::TestWithParam<FrequencyRow> {};

// Chain and joining operators follow the draw table, within five standard deviations.
TEST_P(OperatorFrequencies, MatchTheDrawTable)
{
    const FrequencyRow &row = GetParam();
    SeededRandomSource random(static_cast<std::uint64_t>(row.level));
    constexpr int kSamples = 36000;
    std::map<std::string, int> counts;
    for (int i = 0; i < kSamples / 3; ++i) {
        // Two one-operator chains, no nesting, one joining operator.
        TestCounters counters{.TermCount = 2, .Level = static_cast<std::int16_t>(row.level - 1)};
        const std::string text = JoinParts(BuildParts(row.test, counters, random));
        ASSERT_EQ(OperatorCount(text), 3) << text;
        std::istringstream words(text);
        for (std::string word; words >> word;)
            counts[word] += word != "Not" && std::isupper(static_cast<unsigned char>(word[0]));
    }
    std::istringstream words(row.words);
    std::map<std::string, double> chances;
    std::string word;
    while (words >> word)
        chances[word] = 1.0 / row.denominator;
    chances[word] = 1 - (static_cast<double>(chances.size()) - 1) / row.denominator;
    for (const auto &[drawn, count] : counts)
        EXPECT_TRUE(count == 0 || chances.contains(drawn)) << drawn;
    for (const auto &[op, chance] : chances)
        EXPECT_NEAR(counts[op] / double(kSamples), chance, 5 * std::sqrt(chance * (1 - chance) / kSamples)) << op;
}

INSTANTIATE_TEST_SUITE_P(
    Levels, OperatorFrequencies,
    ::testing::Values(FrequencyRow{Logic::Tertiary, 2, "Or And", 2},
                      FrequencyRow{Logic::Tertiary, 5, "Or And Maybe For", 4},
                      FrequencyRow{Logic::Tertiary, 19, "Or And Maybe For Against With Nor Nand Nmaybe Nfor "
                                                        "Nagainst Nwith Xor Xmaybe Xfor Xagainst Xwith Xand", 18},
                      FrequencyRow{Logic::Binary, 4, "Or And Nor", 3},
                      FrequencyRow{Logic::Binary, 19, "Or And Nor Nand Xor Xand", 18}));

struct DifficultyRow {
    int question, titleLevel, termCount, nestingRounds, level;
    int fixedScore; // 100 x TermCount on entry + 10 x NestingRounds x TermCount
};

void PrintTo(const DifficultyRow &row, std::ostream *out) { *out << "question " << row.question; }

// The n-th question of a run from the start state, for both generators.
constexpr DifficultyRow kDifficultyRows[] = {
    {1, 0, 1, 1, 1, 110},    {2, 1, 2, 1, 2, 120},    {3, 2, 2, 2, 3, 240},     {4, 3, 3, 1, 4, 230},
    {5, 4, 3, 2, 5, 360},    {6, 5, 3, 3, 6, 390},    {7, 6, 4, 2, 7, 380},     {10, 9, 5, 2, 10, 500},
    {14, 13, 6, 3, 14, 680}, {19, 18, 7, 4, 19, 980}, {20, 19, 7, 5, 19, 1050},
};

class DifficultyTable : public ::testing::TestWithParam<std::tuple<DifficultyRow, Logic>> {};

TEST_P(DifficultyTable, QuestionHasTitleCountersAndFixedScore)
{
    const auto [row, test] = GetParam();
    TestCounters counters{.TermCount = 1};
    SeededRandomSource random(static_cast<std::uint64_t>(row.question));
    RecordingWindow window;
    // The first question of a run is always three-valued.
    for (int question = 1; question <= row.question; ++question)
        NewQuestion(question == 1 ? Logic::Tertiary : test, counters, random, window);

    const bool binary = row.question > 1 && test == Logic::Binary;
    EXPECT_EQ(window.title, std::string("Zentrix Raw Processing Power ") + (binary ? "Binary" : "Tertiary") +
                                  " Nested Logic Test Level: " + std::to_string(row.titleLevel));
    EXPECT_EQ(counters.TermCount, row.termCount);
    EXPECT_EQ(counters.NestingRounds, row.nestingRounds);
    EXPECT_EQ(counters.Level, row.level);
    const int chainOperators = OperatorCount(window.text) - (row.termCount - 1);
    EXPECT_EQ(counters.QuestionScore - chainOperators, row.fixedScore) << window.text;
}

INSTANTIATE_TEST_SUITE_P(Rows, DifficultyTable,
                         ::testing::Combine(::testing::ValuesIn(kDifficultyRows),
                                            ::testing::Values(Logic::Tertiary, Logic::Binary)));

// The rise stops at TermCount 37, NestingRounds 33: a worst-case question there
// (u just below 1: every chain at its most operators) is worth 100 x 37 +
// 10 x 33 x 37 + 37 chains x 34 sub-chains x 13 operators = 32,264 points,
// while 34 rounds could reach 33,115, past 32,767.
TEST(DifficultyCap, RiseStopsAtTheLastStepThatFits)
{
    for (const Logic test : {Logic::Tertiary, Logic::Binary}) {
        TestCounters counters{.TermCount = 1};
        for (int question = 1; question < 2000; ++question)
            AdvanceDifficulty(counters);
        ScriptedRandom highest({std::nextafter(1.0, 0.0)});
        BuildParts(test, counters, highest);
        EXPECT_EQ(counters.TermCount, 37);
        EXPECT_EQ(counters.NestingRounds, 33);
        EXPECT_EQ(counters.Level, kMaxLevel);
        EXPECT_EQ(counters.QuestionScore, 32264);
    }
}

struct RunCase {
    std::uint64_t seed;
    int questions;
};

void PrintTo(const RunCase &c, std::ostream *out) { *out << "seed " << c.seed; }

class QuestionRun : public ::testing::TestWithParam<RunCase> {};

// Consecutive questions from the start to past the cap, each test drawn at
// random: negation only above level 13 and never before "2", the last value of
// every top-level chain never replaced, NestingRounds groups per chain,
// two-valued chains all grouped, the score exactly from the operators drawn
// (no wrap-around), and a value ("1" or "2" only when two-valued).
TEST_P(QuestionRun, EveryQuestionHoldsItsShape)
{
    SeededRandomSource random(GetParam().seed);
    TestCounters counters{.TermCount = 1};
    for (int question = 1; question <= GetParam().questions; ++question) {
        const Logic test = random.Next() < 0.5 ? Logic::Tertiary : Logic::Binary;
        const int entryTerms = counters.TermCount;
        const QuestionParts parts = BuildParts(test, counters, random);
        const std::string text = JoinParts(parts);
        const int rounds = counters.NestingRounds;
        ASSERT_EQ(counters.Level, std::min(question, kMaxLevel));
        ASSERT_LE(counters.TermCount, 37);
        ASSERT_EQ(text.find("Not 2"), std::string::npos);
        ASSERT_TRUE(counters.Level > kNegationLevel || text.find("Not ") == std::string::npos) << text;
        ASSERT_EQ(parts.chains.size(), counters.TermCount);
        int operators = 0;
        for (std::size_t k = 0; k < parts.chains.size(); ++k) {
            const std::string &chain = parts.chains[k];
            ASSERT_TRUE(IsValueCharacter(chain.back())) << chain;
            ASSERT_EQ(std::count(chain.begin(), chain.end(), '('), rounds > 1 ? rounds : 0) << chain;
            ASSERT_TRUE(parts.grouped[k] || (k > 0 && test == Logic::Tertiary));
            operators += OperatorCount(chain);
        }
        ASSERT_EQ(counters.QuestionScore, 100 * entryTerms + 10 * rounds * counters.TermCount + operators);
        // Evaluating every question would dominate the run time; sample the high ones.
        if (question > 60 && question % (question < 500 ? 50 : 500) != 0)
            continue;
        ASSERT_NE(std::string(test == Logic::Binary ? "12" : "012").find(EvaluateExpression(text)),
                  std::string::npos) << text;
    }
}

// The cap is reached after about 350 questions.
INSTANTIATE_TEST_SUITE_P(Seeds, QuestionRun,
                         ::testing::Values(RunCase{1, 5000}, RunCase{2, 420}, RunCase{3, 420}, RunCase{4, 420}));

struct WindowCase {
    Logic test;
    bool tertiarySelected, switchedWhileEvaluating;
    const char *enable;
};

void PrintTo(const WindowCase &c, std::ostream *out)
{
    PrintTo(c.test, out);
    *out << (c.tertiarySelected ? ", tertiary" : ", binary") << (c.switchedWhileEvaluating ? ", switched" : "");
}

class WindowEffects : public ::testing::TestWithParam<WindowCase> {};

// Buttons off, reseed, title with the level on entry, text shown before it is
// evaluated, answer stored before the buttons come back, Unknown only if
// "Tertiary Logic" is selected at the end.
TEST_P(WindowEffects, ComeInOrder)
{
    const WindowCase &c = GetParam();
    RecordingWindow window(c.tertiarySelected, c.switchedWhileEvaluating);
    ScriptedRandom random({0.3}, &window.log);
    TestCounters counters{.TermCount = 4, .NestingRounds = 2, .Level = 15};
    NewQuestion(c.test, counters, random, window);
    const std::vector<std::string> expected{"disable", "reseed", "title", "expression", "process", "store", c.enable};
    EXPECT_EQ(window.log, expected);
    EXPECT_TRUE(window.title.ends_with(": 15")) << window.title;
    EXPECT_EQ(window.answer, EvaluateExpression(window.text));
}

INSTANTIATE_TEST_SUITE_P(Selections, WindowEffects,
                         ::testing::Values(WindowCase{Logic::Tertiary, true, false, "enable+unknown"},
                                           WindowCase{Logic::Tertiary, true, true, "enable"},
                                           WindowCase{Logic::Binary, false, false, "enable"},
                                           WindowCase{Logic::Binary, false, true, "enable+unknown"}));

} // namespace
} // namespace nlt
