#include "results/runscores.h"

#include <algorithm>
#include <cmath>

namespace nlt {

namespace {

// Exponent that turns the best question score into the raw processing score.
constexpr double kRawProcessingExponent = 1.05;
// Exponent of the dimension count that divides the total score.
constexpr double kProjectedMeanExponent = 1.3;
// Points added to every raw processing score.
constexpr double kRawProcessingBase = 50.0;
// Scores are reported in tenths of the points the questions were worth.
constexpr double kScoreScale = 10.0;
// Significant digits of the standard text of a double.
constexpr int kFigureDigits = 15;

} // namespace

bool RunHasResults(const FinishedRun &run) { return run.totalScore && run.bestQuestionScore && run.level >= 2; }

int LevelReached(const FinishedRun &run) { return std::max(run.level - 1, 0); }

RunFigures ComputeRunFigures(double bestQuestionScore, double totalScore, int termCount)
{
    RunFigures figures;
    figures.dimensions = termCount - 1;
    figures.aggregate = totalScore / kScoreScale;
    figures.rawProcessing = std::floor(std::pow(bestQuestionScore, kRawProcessingExponent)) / kScoreScale
                          + kRawProcessingBase;
    const double divisor = std::pow(std::max(figures.dimensions, 1), kProjectedMeanExponent);
    figures.projectedMean = std::floor(totalScore / divisor) / kScoreScale;
    return figures;
}

QString FigureText(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', kFigureDigits);
}

} // namespace nlt
