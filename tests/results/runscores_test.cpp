#include <gtest/gtest.h>

#include "results/runscores.h"

namespace {

// Figures worked out by hand (500^1.05 = 682.2, 230^1.05 = 301.8,
// 20000^1.05 = 32815.3, 4^1.3 = 6.063, 7^1.3 = 12.549), in English texts.
TEST(RunFigures, ShowEachFigureAsTheStandardTextOfADouble)
{
    const struct {
        const char *name;
        double best, total;
        int termCount;
        const char *dimensions, *aggregate, *rawProcessing, *projectedMean;
    } cases[] = {
        {"worked example", 500, 1200, 5, "4", "120", "118.2", "19.7"},
        {"raw rounds down; two chains divide by 1", 230, 1234, 2, "1", "123.4", "80.1", "123.4"},
        {"no group separator", 20000, 123456780, 8, "7", "12345678", "3331.5", "983756.2"},
        {"no dimension still divides by 1", 500, 1234, 1, "0", "123.4", "118.2", "123.4"},
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const nlt::RunFigures f = nlt::ComputeRunFigures(c.best, c.total, c.termCount);
        EXPECT_EQ(QString::number(f.dimensions), QLatin1String(c.dimensions));
        EXPECT_EQ(nlt::FigureText(f.aggregate, english), QLatin1String(c.aggregate));
        EXPECT_EQ(nlt::FigureText(f.rawProcessing, english), QLatin1String(c.rawProcessing));
        EXPECT_EQ(nlt::FigureText(f.projectedMean, english), QLatin1String(c.projectedMean));
    }
}

// A run reports results once it had a right answer and reached level 2.
TEST(RunHasResults, NeedsBothScoresAndLevelTwo)
{
    const struct {
        std::optional<int> best;
        std::optional<std::int64_t> total;
        int level;
        bool reported;
    } cases[] = {{120, 120, 2, true}, {120, 120, 1, false}, {{}, 1200, 9, false}, {500, {}, 9, false}, {{}, {}, 9, false}};
    for (const auto &c : cases) {
        const FinishedRun run{c.best, c.total, c.level, 5, QString(), '1', '2', nullptr};
        EXPECT_EQ(nlt::RunHasResults(run), c.reported)
            << c.best.value_or(-1) << " " << c.total.value_or(-1) << " " << c.level;
    }
}

} // namespace
