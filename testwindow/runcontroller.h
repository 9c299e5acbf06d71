#pragma once

#include <QString>
#include <functional>

#include "engine/difficulty.h"
#include "engine/generator.h"
#include "engine/random.h"

// What the run controller needs of the main window beyond a question build:
// the per-run texts and the Unknown button.
class RunWindow : public nlt::QuestionWindow {
public:
    // The value character of the question on show, or empty before the first.
    virtual QString correctAnswer() const = 0;
    // The best question score of this run as text, empty until a correct answer.
    virtual QString bestQuestionScore() const = 0;
    // Replaces the best question score text.
    virtual void setBestQuestionScore(const QString &text) = 0;
    // The total score of this run as text, empty until a correct answer.
    virtual QString totalScore() const = 0;
    // Replaces the total score text.
    virtual void setTotalScore(const QString &text) = 0;
    // Enables or disables the Unknown button.
    virtual void setUnknownEnabled(bool enabled) = 0;
};

// One question generator: advances the difficulty and builds a question.
using QuestionBuilder = std::function<void(nlt::TestCounters &, nlt::RandomSource &, nlt::QuestionWindow &)>;

// Everything a run draws on outside its window.
struct RunServices {
    // The program-wide counters.
    std::function<nlt::TestCounters &()> counters;
    // The random source questions draw from (it may be replaced at any time).
    std::function<nlt::RandomSource &()> random;
    // Hands a finished run to the end-of-run procedure.
    std::function<void()> endRun;
    // The three-valued generator.
    QuestionBuilder tertiary = nlt::NewTertiaryQuestion;
    // The two-valued generator.
    QuestionBuilder binary = nlt::NewBinaryQuestion;
};

// Runs a test in one main window: loads it, judges answers, records scores
// and picks the next question. Answer clicks that arrive while a question is
// being built are ignored, so no answer is judged against a stale question.
class RunController {
public:
    // Works on the given window, which must outlive the controller.
    RunController(RunWindow &window, RunServices services);

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

    // Whether a question is being built right now.
    bool building() const { return building_; }

private:
    // Steps 1 to 4 of judging True (1) or False (2).
    void JudgeTrueOrFalse(int value);
    // The number of CorrectAnswer.
    int Answer() const;
    // Adds the question's score to the run's best and total.
    void RecordCorrectAnswer();
    // Runs one generator with answer clicks held off.
    void Build(const QuestionBuilder &builder);

    RunWindow &window_;
    RunServices services_;
    bool building_ = false;
};
