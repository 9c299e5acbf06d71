#include "testwindow/runcontroller.h"

#include <cmath>
#include <utility>

#include "testwindow/scoretext.h"

RunController::RunController(RunWindow &window, RunServices services)
    : window_(window), services_(std::move(services))
{
}

void RunController::Form_Load()
{
    nlt::TestCounters &counters = services_.counters();
    counters.TermCount = 1;
    counters.NestingRounds = 0;
    counters.QuestionScore = 0;
    Build(services_.tertiary);
}

void RunController::JudgeTrueOrFalse(int value)
{
    if (building_) {
        return;
    }
    const int answer = Answer();
    const bool tertiary = window_.TertiarySelected();
    if (answer == value) {
        RecordCorrectAnswer();
        Build(tertiary ? services_.tertiary : services_.binary);
    } else if (answer == 0 && !tertiary) {
        // A three-valued "0" question left on show in the two-valued test.
        Build(value == 1 ? services_.tertiary : services_.binary);
    } else {
        services_.endRun();
    }
}

void RunController::Command5_Click()
{
    if (building_) {
        return;
    }
    if (Answer() == 0) {
        RecordCorrectAnswer();
        Build(services_.tertiary);
    } else {
        services_.endRun();
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
    return static_cast<int>(ScoreTextNumber(window_.correctAnswer()));
}

void RunController::RecordCorrectAnswer()
{
    const qint64 score = services_.counters().QuestionScore;
    if (ScoreTextNumber(window_.bestQuestionScore()) < static_cast<double>(score)) {
        window_.setBestQuestionScore(ScoreText(score));
    }
    const auto total = static_cast<qint64>(std::floor(ScoreTextNumber(window_.totalScore())));
    window_.setTotalScore(ScoreText(total + score));
}

void RunController::Build(const QuestionBuilder &builder)
{
    // Cleared on every way out, so a failed build cannot lock the buttons.
    struct Guard {
        bool &flag;
        ~Guard() { flag = false; }
    } guard{building_};
    building_ = true;
    builder(services_.counters(), services_.random(), window_);
}
