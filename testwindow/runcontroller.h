#pragma once

#include <variant>

#include "testwindow/runstate.h"

// What an answer given after its run ended leads to: nothing judged or kept.
struct RunAlreadyEnded {};

// What an answer leads to: the next question, already the run's question on
// show, the run it ended, for the end-of-run procedure, or nothing at all once
// the run has ended.
using AnswerOutcome = std::variant<nlt::Question, FinishedRun, RunAlreadyEnded>;

// Runs a test: starts a run, judges each answer against the question on show,
// records the scores and builds the next question, or ends the run. No window:
// the main window shows what it returns.
class RunController {
public:
    // Works on the values of one run and on the program-wide state, both of
    // which outlive the controller.
    RunController(RunState &run, TestState &state);

    // Starts a run: resets TermCount, NestingRounds and QuestionScore (Level
    // stays) and builds the first, three-valued question.
    const nlt::Question &startRun();
    // Judges the answer given ('1' True, '2' False, '0' Unknown, which only the
    // three-valued test offers) under the selected test; once the run has
    // ended, judges and keeps nothing more, whatever is pressed.
    AnswerOutcome answer(char given, bool tertiarySelected);
    // The answer buttons of the question on show were enabled: its time starts now.
    void questionShown() { shownAt_ = state_.clock->NowMs(); }

private:
    // Judges True or False: score and go on, move a "0" question on unscored
    // in the two-valued test, or end the run.
    AnswerOutcome JudgeTrueOrFalse(char given, bool tertiarySelected);
    // Judges Unknown: score and go on with a three-valued question, or end the run.
    AnswerOutcome JudgeUnknown();
    // Keeps the question on show with the answer given in the run's record.
    void Keep(char given);
    // Adds the worth of the question on show to the run's best and total.
    void RecordCorrectAnswer();
    // Builds the next question of the given test and puts it on show.
    const nlt::Question &Build(bool binary);
    // The run, with the answer just given kept in its record, for the end-of-run procedure.
    FinishedRun EndRun(char given);
    // Keeps the time of the question on show, from its showing to now, in the run's record.
    void KeepTime();

    RunState &run_;
    TestState &state_;
    // Whether a wrong answer has ended the run.
    bool ended_ = false;
    // When the question on show was shown, on the state's clock.
    std::int64_t shownAt_ = 0;
};
