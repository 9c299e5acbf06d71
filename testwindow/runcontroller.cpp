#include "testwindow/runcontroller.h"

#include <cmath>

#include "testwindow/scoretext.h"
#include "testwindow/session.h"

RunController::RunController(RunState &run, RunWindow &window, TestSession &session)
    : run_(run), window_(window), session_(session)
{
}

void RunController::Form_Load()
{
    nlt::TestCounters &counters = session_.counters();
    counters.TermCount = 1;
    counters.NestingRounds = 0;
    counters.QuestionScore = 0;
    Build(nlt::NewTertiaryQuestion);
}

void RunController::JudgeTrueOrFalse(int value)
{
    if (session_.building()) {
        return;
    }
    const int answer = Answer();
    const bool tertiary = window_.TertiarySelected();
    if (answer == value) {
        RecordCorrectAnswer();
        Build(tertiary ? nlt::NewTertiaryQuestion : nlt::NewBinaryQuestion);
    } else if (answer == 0 && !tertiary) {
        // A three-valued "0" question left on show in the two-valued test.
        Build(value == 1 ? nlt::NewTertiaryQuestion : nlt::NewBinaryQuestion);
    } else {
        EndRun(value);
    }
}

void RunController::Command5_Click()
{
    if (session_.building()) {
        return;
    }
    if (Answer() == 0) {
        RecordCorrectAnswer();
        Build(nlt::NewTertiaryQuestion);
    } else {
        EndRun(0);
    }
}

void RunController::Option1_Click()
{
    if (window_.TertiarySelected()) {
        window_.setUnknownEnabled(true);
    }
}

void RunController::Option2_Click()
{
    if (!window_.TertiarySelected()) {
        window_.setUnknownEnabled(false);
    }
}

int RunController::Answer() const
{
    return static_cast<int>(ScoreTextNumber(run_.correctAnswer));
}

void RunController::RecordCorrectAnswer()
{
    const qint64 score = session_.counters().QuestionScore;
    if (ScoreTextNumber(run_.bestQuestionScore) < static_cast<double>(score)) {
        run_.bestQuestionScore = ScoreText(score);
    }
    const auto total = static_cast<qint64>(std::floor(ScoreTextNumber(run_.totalScore)));
    run_.totalScore = ScoreText(total + score);
}

void RunController::Build(Generator generator)
{
    // Cleared on every way out, so a failed build cannot lock the buttons.
    struct Guard {
        TestSession &session;
        ~Guard() { session.setBuilding(false); }
    } guard{session_};
    session_.setBuilding(true);
    generator(session_.counters(), session_.random(), window_);
}

void RunController::EndRun(int given)
{
    const nlt::TestCounters &counters = session_.counters();
    session_.endRun({run_.bestQuestionScore, run_.totalScore, counters.Level, counters.TermCount, run_.question,
                     QString::number(given), run_.correctAnswer, nullptr});
}
