#include "testwindow/runcontroller.h"

RunController::RunController(RunState &run, TestState &state) : run_(run), state_(state) {}

const nlt::Question &RunController::startRun()
{
    nlt::StartRun(state_.counters);
    ended_ = false;
    return Build(false);
}

AnswerOutcome RunController::answer(char given, bool tertiarySelected)
{
    if (ended_)
        return RunAlreadyEnded{};
    KeepTime();
    return given == '0' ? JudgeUnknown() : JudgeTrueOrFalse(given, tertiarySelected);
}

AnswerOutcome RunController::JudgeTrueOrFalse(char given, bool tertiarySelected)
{
    const char answer = run_.question.value;
    if (answer == given) {
        Keep(given);
        RecordCorrectAnswer();
        return Build(!tertiarySelected);
    }
    if (answer == '0' && !tertiarySelected) {
        // A three-valued "0" question left on show in the two-valued test:
        // neither right nor wrong, so it tells nothing and is not kept.
        return Build(given == '2');
    }
    return EndRun(given);
}

AnswerOutcome RunController::JudgeUnknown()
{
    if (run_.question.value == '0') {
        Keep('0');
        RecordCorrectAnswer();
        return Build(false);
    }
    return EndRun('0');
}

void RunController::Keep(char given) { run_.record->Add({run_.question.text, given, run_.question.binary}); }

void RunController::RecordCorrectAnswer()
{
    const int worth = run_.question.worth;
    if (!run_.bestQuestionScore || *run_.bestQuestionScore < worth) {
        run_.bestQuestionScore = worth;
    }
    run_.totalScore = run_.totalScore.value_or(0) + worth;
}

const nlt::Question &RunController::Build(bool binary)
{
    run_.question = binary ? nlt::NewBinaryQuestion(state_.counters, *state_.random)
                           : nlt::NewTertiaryQuestion(state_.counters, *state_.random);
    questionShown();
    return run_.question;
}

FinishedRun RunController::EndRun(char given)
{
    Keep(given);
    ended_ = true;
    const nlt::TestCounters &counters = state_.counters;
    return {run_.bestQuestionScore, run_.totalScore, counters.Level, counters.TermCount,
        QString::fromStdString(run_.question.text), given, run_.question.value, run_.record};
}

void RunController::KeepTime() { run_.record->Times().Add(run_.question.level, state_.clock->NowMs() - shownAt_); }
