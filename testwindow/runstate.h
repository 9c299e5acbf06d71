#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/runrecord.h"
#include "engine/difficulty.h"
#include "engine/generator.h"
#include "engine/random.h"
#include "engine/runtimes.h"

// The program-wide state every question draws on: the four counters and the
// random source. It lives as long as the program.
struct TestState {
    // TermCount, QuestionScore, NestingRounds and Level.
    nlt::TestCounters counters;
    // The source every question draws from; never null.
    std::unique_ptr<nlt::RandomSource> random;
    // The clock each question's time is read from; never null.
    std::unique_ptr<nlt::MonotonicClock> clock = std::make_unique<nlt::SteadyClock>();
};

// The values of one run, owned by the main window: empty at every load and
// gone when the window is unloaded. Both scores are empty until the first
// right answer of the run and both set from then on.
struct RunState {
    // The question on show; its text is empty before the first.
    nlt::Question question;
    // The highest worth answered right in this run; empty: no right answer yet.
    std::optional<int> bestQuestionScore;
    // The sum of the worths answered right in this run; empty: no right answer yet.
    std::optional<std::int64_t> totalScore;
    // Every question of the run as shown, with the answer given and its test,
    // the right ones and the wrong one that ends the run; handed on with it.
    std::shared_ptr<nlt::RunRecord> record = std::make_shared<nlt::RunRecord>();
};

// A run that a wrong answer ended, as the end-of-run procedure receives it.
struct FinishedRun {
    // The run's best question score and total score; empty: no right answer.
    std::optional<int> bestQuestionScore;
    std::optional<std::int64_t> totalScore;
    // The level counter and TermCount after the failed question was built.
    int level = 0;
    int termCount = 0;
    // The failed question exactly as it was shown.
    QString question;
    // The value character of the button pressed, and the right one.
    char answerGiven = '0';
    char rightAnswer = '0';
    // The run's questions as shown with the answers given, the failed one
    // last; null when the run was not recorded.
    std::shared_ptr<const nlt::RunRecord> record;
};
