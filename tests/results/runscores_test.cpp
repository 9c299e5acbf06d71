#include <gtest/gtest.h>

#include "results/runscores.h"

#include <tuple>

namespace {

// Figures worked out by hand (500^1.05 = 682.2, 230^1.05 = 301.8,
// 20000^1.05 = 32815.3, 4^1.3 = 6.063, 7^1.3 = 12.549), in English texts.
TEST(RunFigures, ShowEachFigureAsTheStandardTextOfADouble)
{
    // Name, best and total score, TermCount, then the four texts.
    const std::tuple<const char *, double, double, int, const char *, const char *, const char *, const char *> cases[] = {
        {"worked example", 500, 1200, 5, "4", "120", "118.2", "19.7"},
        {"raw rounds down; two chains divide by 1", 230, 1234, 2, "1", "123.4", "80.1", "123.4"},
        {"no group separator", 20000, 123456780, 8, "7", "12345678", "3331.5", "983756.2"},
        {"no dimension still divides by 1", 500, 1234, 1, "0", "123.4", "118.2", "123.4"},
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const auto &[name, best, total, termCount, dimensions, aggregate, raw, mean] : cases) {
        const nlt::RunFigures f = nlt::ComputeRunFigures(best, total, termCount);
        EXPECT_EQ(QStringList({QString::number(f.dimensions), nlt::FigureText(f.aggregate, english),
                      nlt::FigureText(f.rawProcessing, english), nlt::FigureText(f.projectedMean, english)}),
            QStringList({dimensions, aggregate, raw, mean}))
            << name;
    }
}

// A run reports results once it had a right answer and reached level 2.
TEST(RunHasResults, NeedsBothScoresAndLevelTwo)
{
    // Best and total score, level, and whether the run reports results.
    const std::tuple<std::optional<int>, std::optional<std::int64_t>, int, bool> cases[] = {{120, 120, 2, true},
        {120, 120, 1, false}, {{}, 1200, 9, false}, {500, {}, 9, false}, {{}, {}, 9, false}};
    for (const auto &[best, total, level, reported] : cases)
        EXPECT_EQ(nlt::RunHasResults({best, total, level, 5, QString(), '1', '2', nullptr}), reported)
            << best.value_or(-1) << " " << total.value_or(-1) << " " << level;
}

} // namespace
