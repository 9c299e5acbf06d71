#include <gtest/gtest.h>

#include <cmath>

#include "results/runscores.h"

namespace {

// One finished run: the two score numbers, TermCount, and the four texts the
// results window must show for them (English decimal point).
struct FiguresCase {
    const char *name;
    double best;
    double total;
    int termCount;
    const char *dimensions;
    const char *aggregate;
    const char *rawProcessing;
    const char *projectedMean;
};

// Names the case in test output.
void PrintTo(const FiguresCase &c, std::ostream *os)
{
    *os << c.name;
}

class RunFiguresTest : public testing::TestWithParam<FiguresCase> {};

TEST_P(RunFiguresTest, ShowsEachFigureAsTheStandardTextOfADouble)
{
    const FiguresCase &c = GetParam();
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const nlt::RunFigures figures = nlt::ComputeRunFigures(c.best, c.total, c.termCount);
    EXPECT_EQ(QString::number(figures.dimensions), QLatin1String(c.dimensions));
    EXPECT_EQ(nlt::FigureText(figures.aggregate, english), QLatin1String(c.aggregate));
    EXPECT_EQ(nlt::FigureText(figures.rawProcessing, english), QLatin1String(c.rawProcessing));
    EXPECT_EQ(nlt::FigureText(figures.projectedMean, english), QLatin1String(c.projectedMean));
}

// Expected texts worked out by hand: 500^1.05 = 682.2, 230^1.05 = 301.8,
// 1000^1.05 = 1412.5, 120^1.05 = 152.5, 20000^1.05 = 32815.3, 7^1.05 = 7.7,
// 4^1.3 = 6.063, 2^1.3 = 2.462, 7^1.3 = 12.549.
INSTANTIATE_TEST_SUITE_P(
    Scores, RunFiguresTest,
    testing::Values(
        FiguresCase{"WorkedExample", 500, 1200, 5, "4", "120", "118.2", "19.7"},
        FiguresCase{"RawRoundsDownBeforeDividing", 230, 230, 2, "1", "23", "80.1", "23"},
        FiguresCase{"TwoChainsDivideByOne", 120, 1234, 2, "1", "123.4", "65.2", "123.4"},
        FiguresCase{"WholeProjectedMeanHasNoPoint", 1000, 5000, 3, "2", "500", "191.2", "203"},
        FiguresCase{"BigTotalHasNoGroupSeparator", 20000, 123456780, 8, "7", "12345678",
                    "3331.5", "983756.2"},
        FiguresCase{"SmallTotalKeepsLeadingZero", 7, 7, 2, "1", "0.7", "50.7", "0.7"}),
    [](const testing::TestParamInfo<FiguresCase> &info) { return std::string(info.param.name); });

// A dimension count below 1 cannot reach the results window, but must not
// divide by zero or produce a power of a negative number.
class DimensionGuardTest : public testing::TestWithParam<int> {};

TEST_P(DimensionGuardTest, ProjectedMeanStaysFinite)
{
    const nlt::RunFigures figures = nlt::ComputeRunFigures(500, 1234, GetParam());
    EXPECT_EQ(figures.dimensions, GetParam() - 1);
    EXPECT_TRUE(std::isfinite(figures.projectedMean));
    EXPECT_DOUBLE_EQ(figures.projectedMean, 123.4);
}

INSTANTIATE_TEST_SUITE_P(Scores, DimensionGuardTest, testing::Values(0, 1));

// One number written in one locale.
struct FigureTextCase {
    const char *name;
    QLocale::Language language;
    QLocale::Territory territory;
    double value;
    const char *text;
};

// Names the case in test output.
void PrintTo(const FigureTextCase &c, std::ostream *os)
{
    *os << c.name;
}

class FigureTextTest : public testing::TestWithParam<FigureTextCase> {};

TEST_P(FigureTextTest, UsesTheLocaleSeparatorWithoutGrouping)
{
    const FigureTextCase &c = GetParam();
    EXPECT_EQ(nlt::FigureText(c.value, QLocale(c.language, c.territory)), QLatin1String(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Locales, FigureTextTest,
    testing::Values(
        FigureTextCase{"EnglishPoint", QLocale::English, QLocale::UnitedStates, 118.2, "118.2"},
        FigureTextCase{"GermanComma", QLocale::German, QLocale::Germany, 118.2, "118,2"},
        FigureTextCase{"FrenchComma", QLocale::French, QLocale::France, 19.7, "19,7"},
        FigureTextCase{"EnglishWholeNoGroup", QLocale::English, QLocale::UnitedStates, 1200, "1200"},
        FigureTextCase{"GermanWholeNoGroup", QLocale::German, QLocale::Germany, 1234567, "1234567"},
        FigureTextCase{"GermanFractionNoGroup", QLocale::German, QLocale::Germany, 98765.4,
                       "98765,4"},
        FigureTextCase{"Zero", QLocale::English, QLocale::UnitedStates, 0, "0"},
        FigureTextCase{"FifteenDigits", QLocale::English, QLocale::UnitedStates,
                       123456789012345.0, "123456789012345"},
        FigureTextCase{"SumRoundedToFifteenDigits", QLocale::English, QLocale::UnitedStates,
                       0.1 + 0.2, "0.3"}),
    [](const testing::TestParamInfo<FigureTextCase> &info) { return std::string(info.param.name); });

// One end-of-run state and whether it is reported.
struct HasResultsCase {
    const char *name;
    const char *best;
    const char *total;
    int level;
    bool reported;
};

// Names the case in test output.
void PrintTo(const HasResultsCase &c, std::ostream *os)
{
    *os << c.name;
}

class RunHasResultsTest : public testing::TestWithParam<HasResultsCase> {};

TEST_P(RunHasResultsTest, NeedsBothScoresAndLevelTwo)
{
    const HasResultsCase &c = GetParam();
    EXPECT_EQ(nlt::RunHasResults(QString::fromLatin1(c.best), QString::fromLatin1(c.total), c.level),
              c.reported);
}

INSTANTIATE_TEST_SUITE_P(
    EndOfRun, RunHasResultsTest,
    testing::Values(HasResultsCase{"BothScoresHighLevel", "500", "1200", 9, true},
                    HasResultsCase{"LevelTwoIsEnough", "120", "120", 2, true},
                    HasResultsCase{"LevelOneIsTooLow", "120", "120", 1, false},
                    HasResultsCase{"NoCorrectAnswer", "", "", 5, false},
                    HasResultsCase{"TotalMissing", "500", "", 9, false},
                    HasResultsCase{"BestMissing", "", "1200", 9, false},
                    HasResultsCase{"ZeroTextsStillCount", "0", "0", 2, true}),
    [](const testing::TestParamInfo<HasResultsCase> &info) { return std::string(info.param.name); });

} // namespace
