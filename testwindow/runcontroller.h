#pragma once

#include "engine/generator.h"
#include "testwindow/runstate.h"

class TestSession;

// The main window as the run controller sees it: the window side of a
// question build, plus the Unknown button.
class RunWindow : public nlt::QuestionWindow {
public:
    // Enables or disables the Unknown button.
    virtual void setUnknownEnabled(bool enabled) = 0;
};

// Runs a test in one main window: loads it, judges answers, records scores
// and picks the next question. Answer clicks that arrive while a question is
// being built are ignored, so no answer is judged against a stale question.
class RunController {
public:
    // Works on the run values and the window of one main window, which
    // outlive the controller, and on the program's session.
    RunController(RunState &run, RunWindow &window, TestSession &session);

    // Starts a run: resets TermCount, NestingRounds and QuestionScore (Level
    // stays) and builds the first, three-valued question.
    void Form_Load();
    // Judges True ("1").
    void Command2_Click() { JudgeTrueOrFalse(1); }
    // Judges False ("2").
    void Command3_Click() { JudgeTrueOrFalse(2); }
    // Judges Unknown ("0").
    void Command5_Click();
    // "Tertiary Logic" clicked: enables Unknown when it is selected.
    void Option1_Click();
    // "Binary Logic" clicked: disables Unknown when it is selected.
    void Option2_Click();

private:
    // The generator a question is built by.
    using Generator = void (*)(nlt::TestCounters &, nlt::RandomSource &, nlt::QuestionWindow &);

    // Judges True (1) or False (2): score and go on, move a "0" question on
    // unscored in the two-valued test, or end the run.
    void JudgeTrueOrFalse(int value);
    // The number of CorrectAnswer.
    int Answer() const;
    // Adds the question's score to the run's best and total.
    void RecordCorrectAnswer();
    // Runs one generator with answer clicks held off.
    void Build(Generator generator);
    // Hands the run, with the answer just given, to the end-of-run procedure.
    void EndRun(int given);

    RunState &run_;
    RunWindow &window_;
    TestSession &session_;
};
