#pragma once

#include <QLocale>
#include <QString>

#include "testwindow/runstate.h"

namespace nlt {

// The four figures the results window reports for a finished run.
struct RunFigures {
    // Number of dimensions: TermCount - 1.
    int dimensions = 0;
    // Aggregate score: the total score / 10.
    double aggregate = 0.0;
    // Raw processing score: floor(best ^ 1.05) / 10 + 50.
    double rawProcessing = 0.0;
    // Projected mean score: floor(total / dimensions ^ 1.3) / 10.
    double projectedMean = 0.0;
};

// True when a finished run has something to report: it had a right answer
// (both scores are set) and the level counter has reached 2.
bool RunHasResults(const FinishedRun &run);

// The level a run reached, as the results window's title gives it: the level
// counter less one, never below 0.
int LevelReached(const FinishedRun &run);

// Computes the figures from the best question score, the total score and the
// TermCount of the failed question. A dimension count below 1 is taken as 1
// for the projected mean, so it never divides by zero.
RunFigures ComputeRunFigures(double bestQuestionScore, double totalScore, int termCount);

// Writes a figure as the standard text of a double: up to 15 significant
// digits, no trailing zeros, no point for whole values, the locale's decimal
// separator and never a group separator.
QString FigureText(double value, const QLocale &locale = QLocale());

} // namespace nlt
