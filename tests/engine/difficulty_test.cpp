// The difficulty rule: the question-by-question table, the overflow cap and a
// long run through it.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "engine/difficulty.h"
#include "engine/generator.h"
#include "question_checks.h"

namespace nlt::checks {
namespace {

constexpr int kScoreLimit = std::numeric_limits<std::int16_t>::max();

struct DifficultyRow {
    int question;
    int titleLevel;
    int termCount;
    int nestingRounds;
    int level;
    int fixedScore; // 100 x TermCount on entry + 10 x NestingRounds x TermCount
};

// The n-th question of a run from the start state, for both generators.
constexpr DifficultyRow kDifficultyRows[] = {
    {1, 0, 1, 1, 1, 110},  {2, 1, 2, 1, 2, 120},   {3, 2, 2, 2, 3, 240},     {4, 3, 3, 1, 4, 230},
    {5, 4, 3, 2, 5, 360},  {6, 5, 3, 3, 6, 390},   {7, 6, 4, 2, 7, 380},     {10, 9, 5, 2, 10, 500},
    {14, 13, 6, 3, 14, 680}, {19, 18, 7, 4, 19, 980}, {20, 19, 7, 5, 19, 1050},
};

void PrintTo(const DifficultyRow &row, std::ostream *out)
{
    *out << "question " << row.question;
}

class DifficultyTable : public ::testing::TestWithParam<std::tuple<DifficultyRow, Logic>> {};

TEST_P(DifficultyTable, QuestionHasTitleCountersAndFixedScore)
{
    const auto [row, test] = GetParam();
    TestCounters counters{.TermCount = 1};
    SeededRandomSource random(static_cast<std::uint64_t>(row.question));
    std::vector<std::string> log;
    RecordingWindow window(log);
    // The first question of a run is always three-valued.
    for (int question = 1; question <= row.question; ++question)
        NewQuestion(question == 1 ? Logic::Tertiary : test, counters, random, window);

    const Logic shown = row.question == 1 ? Logic::Tertiary : test;
    const std::string prefix = shown == Logic::Tertiary
                                   ? "Zentrix Raw Processing Power Tertiary Nested Logic Test Level: "
                                   : "Zentrix Raw Processing Power Binary Nested Logic Test Level: ";
    EXPECT_EQ(window.title(), prefix + std::to_string(row.titleLevel));
    EXPECT_EQ(counters.TermCount, row.termCount);
    EXPECT_EQ(counters.NestingRounds, row.nestingRounds);
    EXPECT_EQ(counters.Level, row.level);
    const auto chainOperators = static_cast<int>(OperatorWords(window.text()).size()) - (row.termCount - 1);
    EXPECT_EQ(counters.QuestionScore - chainOperators, row.fixedScore) << window.text();
}

INSTANTIATE_TEST_SUITE_P(Rows, DifficultyTable,
                         ::testing::Combine(::testing::ValuesIn(kDifficultyRows),
                                            ::testing::Values(Logic::Tertiary, Logic::Binary)));

// The rule without the cap, as the step-by-step description gives it.
TestCounters Uncapped(TestCounters c)
{
    c.NestingRounds = static_cast<std::int16_t>(c.NestingRounds + 1);
    if (c.NestingRounds > c.TermCount) {
        c.TermCount = static_cast<std::uint8_t>(c.TermCount + 1);
        c.NestingRounds = static_cast<std::int16_t>(std::max(c.TermCount / 2, 1));
    }
    return c;
}

class DifficultyCap : public ::testing::TestWithParam<Logic> {};

// With u just below 1 every chain draws its most operators, so each question
// reaches the worst case the cap is computed from; the cap must hold it and
// must be the last step that does.
TEST_P(DifficultyCap, WorstCaseQuestionsFitAndTheCapIsTheHighestThatFits)
{
    ConstantRandom highest(std::nextafter(1.0, 0.0));
    TestCounters counters{.TermCount = 1, .Level = kMaxLevel};
    int unchanged = 0;
    for (int question = 1; unchanged < 3; ++question) {
        ASSERT_LT(question, 1000) << "difficulty never stopped rising";
        const TestCounters entry = counters;
        BuildParts(GetParam(), counters, highest);
        const int t = counters.TermCount;
        EXPECT_EQ(counters.QuestionScore, MaxQuestionScore(t, counters.NestingRounds) - 100 * (t - entry.TermCount))
            << "question " << question;
        const bool same = entry.TermCount == counters.TermCount && entry.NestingRounds == counters.NestingRounds;
        unchanged = same ? unchanged + 1 : 0;
    }
    const TestCounters next = Uncapped(counters);
    EXPECT_GT(MaxQuestionScore(next.TermCount, next.NestingRounds), kScoreLimit);
    EXPECT_EQ(counters.Level, kMaxLevel);
}

INSTANTIATE_TEST_SUITE_P(Tests, DifficultyCap, ::testing::Values(Logic::Tertiary, Logic::Binary));

TEST(DifficultyCap, RuleOnlyRunStopsOnceAndStaysWithinRange)
{
    TestCounters counters{.TermCount = 1};
    TestCounters previous = counters;
    int lastRise = 0;
    for (int question = 1; question <= 20000; ++question) {
        AdvanceDifficulty(counters);
        ASSERT_LE(MaxQuestionScore(counters.TermCount, counters.NestingRounds), kScoreLimit);
        ASSERT_GE(counters.NestingRounds, 1);
        ASSERT_LE(counters.NestingRounds, counters.TermCount);
        ASSERT_EQ(counters.QuestionScore, 100 * previous.TermCount);
        if (counters.TermCount != previous.TermCount || counters.NestingRounds != previous.NestingRounds) {
            ASSERT_EQ(lastRise, question - 1) << "difficulty rose again after stopping";
            lastRise = question;
        }
        previous = counters;
    }
    EXPECT_LT(lastRise, 1000);
    EXPECT_EQ(counters.Level, kMaxLevel);
}

// Longest text a question at these counters can have: every chain at its most
// operators (10-letter words with blanks), every scanned character prefixed.
std::size_t LengthBound(const TestCounters &c)
{
    const std::size_t chainLength = 1 + 11 * static_cast<std::size_t>(MaxChainOperators(c.TermCount));
    const std::size_t chains = c.TermCount * (1 + static_cast<std::size_t>(c.NestingRounds));
    return chains * (5 * chainLength + 2) + 10 * c.TermCount;
}

// 5,000 consecutive questions from the start, mixing both tests: every score
// is the exact formula (no wrap-around), the counters stay in range and every
// 500th question is evaluated through the window path.
TEST(DifficultyCap, FiveThousandQuestionsRunThroughTheCap)
{
    SeededRandomSource random(5000);
    TestCounters counters{.TermCount = 1};
    std::vector<std::string> log;
    RecordingWindow window(log);
    for (int question = 1; question <= 5000; ++question) {
        const Logic test = random.Next() < 0.5 ? Logic::Tertiary : Logic::Binary;
        const TestCounters entry = counters;
        if (question % 500 == 0) {
            NewQuestion(test, counters, random, window);
            ASSERT_EQ(window.answer().size(), 1u);
            ASSERT_NE(std::string_view(test == Logic::Binary ? "12" : "012").find(window.answer()[0]),
                      std::string_view::npos);
            continue;
        }
        const QuestionParts parts = BuildParts(test, counters, random);
        const int t = counters.TermCount;
        int operators = 0;
        for (const std::string &chain : parts.chains)
            operators += OperatorCount(chain);
        ASSERT_EQ(counters.QuestionScore, 100 * entry.TermCount + 10 * counters.NestingRounds * t + operators);
        ASSERT_GE(counters.Level, 1);
        ASSERT_LE(counters.Level, kMaxLevel);
        ASSERT_LE(JoinParts(parts).size(), LengthBound(counters));
    }
    EXPECT_LE(MaxQuestionScore(counters.TermCount, counters.NestingRounds), kScoreLimit);
}

} // namespace
} // namespace nlt::checks
