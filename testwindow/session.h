#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "engine/difficulty.h"
#include "engine/random.h"
#include "testwindow/closereason.h"
#include "testwindow/runstate.h"
#include "testwindow/windowslot.h"

class Form1;
class QSessionManager;

// The program-wide test state: the four counters, the random source and the
// main window. Lives as long as the program.
class TestSession : public QObject {
    Q_OBJECT

public:
    // The one session of the program; the application object must exist.
    static TestSession &instance();

    // The program-wide counters (TermCount, QuestionScore, NestingRounds, Level).
    nlt::TestCounters &counters() { return counters_; }

    // The random source every question draws from.
    nlt::RandomSource &random() { return *random_; }
    // Replaces the random source; the next draw uses the new one.
    void setRandomSource(std::unique_ptr<nlt::RandomSource> source);

    // The main window, or nullptr while it is not loaded.
    Form1 *form1() const;

    // Shows the main window, loading it afresh (design values, a new run, its
    // first question built, centred) when it is not loaded.
    Form1 *showForm1();

    // Unloads the main window as the program does; its run values go with it.
    void unloadForm1();

    // Whether a question is being built: the build lets window events through,
    // and every handler but the mode options, Help and closing waits it out.
    bool building() const { return building_; }
    // Marks the start or the end of a question build.
    void setBuilding(bool building) { building_ = building; }

    // Hands a run that a wrong answer ended to the end-of-run procedure.
    void endRun(const FinishedRun &run) { emit runEnded(run); }

    // Ends the program at once: hides every window and asks the event loop
    // to finish. Nothing is deleted here, so a question build that is
    // processing events underneath returns normally.
    void endProgram();

    // Replaces what endProgram does after hiding the windows (by default a
    // queued QCoreApplication::exit(0)); tests observe the request this way.
    void setProgramEndHandler(std::function<void()> handler);

    // Answers a close request by the close rule, for both windows and for
    // termination and log-off; returns false when the request is refused.
    bool handleProgramCloseRequest(CloseReason reason);

    // Routes SIGTERM and the session manager's log-off to the close rule (once).
    void installCloseRequestHandlers();

signals:
    // A wrong answer ended the run; wired at start-up to the end-of-run procedure.
    void runEnded(const FinishedRun &run);

private:
    TestSession();

    // The session manager asks whether the program may end: refuse.
    void commitDataRequested(QSessionManager &manager);

    nlt::TestCounters counters_;
    std::unique_ptr<nlt::RandomSource> random_;
    WindowSlot<Form1> form1_;
    std::function<void()> programEndHandler_;
    bool closeHandlersInstalled_ = false;
    bool building_ = false;
};
