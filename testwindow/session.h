#pragma once

#include <QObject>
#include <QWidget>
#include <memory>

#include "engine/random.h"
#include "testwindow/helpopener.h"
#include "testwindow/runstate.h"
#include "testwindow/windowslot.h"

class Form1;
class ProgramEnd;

// One test session, made at start-up and handed to what needs it: the
// program-wide test state, the main window that runs its tests and the help
// it opens. Lives as long as the program (in a test, as long as the test).
class TestSession : public QObject {
    Q_OBJECT

public:
    // A session at the start state whose questions draw from random, timed
    // on clock, and whose windows close by end's rule.
    TestSession(ProgramEnd &end, std::unique_ptr<nlt::RandomSource> random,
        std::unique_ptr<nlt::MonotonicClock> clock = std::make_unique<nlt::SteadyClock>());
    ~TestSession() override;

    // The program-wide counters (TermCount, QuestionScore, NestingRounds, Level).
    nlt::TestCounters &counters() { return state_.counters; }

    // The close rule and the program's end the windows answer to.
    ProgramEnd &programEnd() const { return end_; }

    // The main window, or nullptr while it is not loaded.
    Form1 *form1() const;
    // The same, as a window others open beside or over.
    QWidget *mainWindow() const;

    // Shows the main window, loading it afresh (design values, a new run, its
    // first question on show, centred) when it is not loaded.
    Form1 *showForm1();

    // Unloads the main window as the program does; its run values go with it.
    void unloadForm1();

    // Has the main window offer "Review Last Question" on run, a run thrown
    // away without results, until its next answer.
    void offerReview(const FinishedRun &run);

signals:
    // A wrong answer ended the run; wired at start-up to the end-of-run procedure.
    void runEnded(const FinishedRun &run);
    // "Review Last Question" was pressed on the main window.
    void reviewRequested(const FinishedRun &run);

private:
    ProgramEnd &end_;
    TestState state_;
    HelpOpener help_;
    // Declared last, so the main window goes before what it works on.
    WindowSlot<Form1> form1_;
};
