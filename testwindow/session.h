#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "engine/difficulty.h"
#include "engine/random.h"

class Form1;

// The program-wide test state: the four counters, the random source and the
// one reference to the main window. Lives as long as the program.
class TestSession : public QObject {
    Q_OBJECT

public:
    // The one session of the program.
    static TestSession &instance();

    // The program-wide counters (TermCount, QuestionScore, NestingRounds, Level).
    nlt::TestCounters &counters() { return counters_; }

    // The random source every question draws from; tests replace it.
    nlt::RandomSource &random() { return *random_; }
    void setRandomSource(std::unique_ptr<nlt::RandomSource> source);

    // The main window, or nullptr while it is not loaded.
    Form1 *form1() const { return form1_; }

    // Shows the main window, loading it afresh (design values, new run) when
    // it is not loaded. Returns it.
    Form1 *showForm1();

    // Unloads the main window as the program does (close reason 1); its
    // per-run values go with it.
    void unloadForm1();

signals:
    // A wrong answer ended the run; wired at start-up to the end-of-run procedure.
    void runEnded();

private:
    TestSession();

    nlt::TestCounters counters_;
    std::unique_ptr<nlt::RandomSource> random_;
    QPointer<Form1> form1_;
};
