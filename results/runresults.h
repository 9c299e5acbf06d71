#pragma once

#include <QObject>

#include "results/form2.h"
#include "results/reviewwindow.h"
#include "results/sitting.h"
#include "testwindow/runstate.h"
#include "testwindow/windowslot.h"

class TestSession;

// The end-of-run procedure and the results window it shows, which exists at
// most once and is held here.
class RunResults : public QObject {
    Q_OBJECT

public:
    // Takes every run the session's main window ends.
    explicit RunResults(TestSession &session);

    // Ends a run after a wrong answer: shows the results window filled with
    // the level reached and the four scores and unloads the main window, or,
    // for a run without results, starts a fresh run in a new main window.
    void ShowRunResults(const FinishedRun &run);

    // The results window, or nullptr while it is not loaded.
    Form2 *form2() const { return form2_.get(); }

    // The review of a run thrown away without results, or nullptr while none is open.
    ReviewWindow *lastReview() const { return lastReview_.get(); }

    // Every run ended since the program started, thrown-away runs too.
    const Sitting &sitting() const { return sitting_; }

private:
    // "Sit Another Test": a new run from level 0 in a fresh main window, and
    // the results window unloaded.
    void SitAnotherTest();

    // "Review Last Question": the review of a thrown-away run, beside the main
    // window that offered it and closed with it.
    void ReviewLastQuestion(const FinishedRun &run);

    TestSession &session_;
    // Lives as long as the program, in memory only.
    Sitting sitting_;
    WindowSlot<Form2> form2_;
    WindowSlot<ReviewWindow> lastReview_;
};
