#pragma once

#include <QString>
#include <memory>

#include "engine/diagnosis.h"

// The values of one run, owned by the main window: empty at every load and
// gone when the window is unloaded. Score texts are read back by their
// leading number, an empty text counting as 0.
struct RunState {
    // The question on show, exactly as shown; empty before the first.
    QString question;
    // Its value character; empty before the first question.
    QString correctAnswer;
    // The highest question score answered right in this run; empty until then.
    QString bestQuestionScore;
    // The sum of the question scores answered right in this run; empty until then.
    QString totalScore;
};

// A run that a wrong answer ended, as the end-of-run procedure receives it.
struct FinishedRun {
    // The run's best question score and total score texts.
    QString bestQuestionScore;
    QString totalScore;
    // The level counter and TermCount after the failed question was built.
    int level = 0;
    int termCount = 0;
    // The failed question exactly as it was shown.
    QString question;
    // The value character of the button pressed, and the right one.
    QString answerGiven;
    QString rightAnswer;
    // The run's questions as shown with the answers given, the failed one
    // last; null when the run was not recorded.
    std::shared_ptr<const nlt::RunRecord> record;
};
