#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "engine/difficulty.h"
#include "engine/random.h"
#include "testwindow/closereason.h"

class Form1;
class QSessionManager;

// The program-wide test state: the four counters, the random source and the
// one reference to the main window. Lives as long as the program.
class TestSession : public QObject {
    Q_OBJECT

public:
    // The one session of the program; the application object must exist.
    static TestSession &instance();

    // The program-wide counters (TermCount, QuestionScore, NestingRounds, Level).
    nlt::TestCounters &counters() { return counters_; }

    // The random source every question draws from; tests replace it.
    nlt::RandomSource &random() { return *random_; }
    // Replaces the random source; the next draw uses the new one.
    void setRandomSource(std::unique_ptr<nlt::RandomSource> source);

    // The main window, or nullptr while it is not loaded.
    Form1 *form1() const;

    // Shows the main window, loading it afresh (design values, new run, first
    // question built before it shows, centred) when it is not loaded.
    Form1 *showForm1();

    // Unloads the main window as the program does (close reason 1): hides it
    // and forgets it at once, deletes it later, so it is safe to call from
    // inside one of the window's own handlers. Its per-run values go with it.
    void unloadForm1();

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
    void runEnded();

private:
    TestSession();

    // The session manager asks whether the program may end: refuse.
    void commitDataRequested(QSessionManager &manager);

    nlt::TestCounters counters_;
    std::unique_ptr<nlt::RandomSource> random_;
    QPointer<Form1> form1_;
    std::function<void()> programEndHandler_;
    bool closeHandlersInstalled_ = false;
};
