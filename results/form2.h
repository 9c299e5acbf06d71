#pragma once

// The results window's controls, as form2.ui names them:
//   Command2  "Sit Another Test"
//   Command3  "Review Question"
//   Label5    number of dimensions, beside its caption Label2
//   Label6    aggregate score, beside Label4
//   Label7    raw processing score, beside Label3
//   Label8    projected mean score, beside Label9 (below the visible area)
//   Line1     the rule under the scores; Frame1, Picture1, Image1 the logo
//   sittingButton    "This Sitting", shown once the window has a sitting
//   timeLabel        the run's time and pace; failedTimeLabel the failed question's time

#include <memory>

#include "results/runscores.h"
#include "testwindow/programwindow.h"
#include "testwindow/runstate.h"

class QLabel;
class ReviewWindow;
class Sitting;
class SittingWindow;

namespace Ui {
class Form2;
}

// The results window: the level reached in its title, the four figures of a
// finished run beside their captions, and "Sit Another Test".
class Form2 : public ProgramWindow {
    Q_OBJECT

public:
    // Loads the window with every control at its design value; its close
    // requests are answered by end.
    explicit Form2(ProgramEnd &end, QWidget *parent = nullptr);
    ~Form2() override;

    // Appends the level reached to the present title.
    void setLevelReached(int level);

    // Writes the four figures into the value labels; each label's accessible
    // name becomes the number it shows.
    void setFigures(const nlt::RunFigures &figures);

    // Keeps the finished run whose failed question "Review Question" opens,
    // and shows its time, its pace and the failed question's time.
    void setFinishedRun(const FinishedRun &run);

    // Offers "This Sitting" (Alt+S) on sitting, whose last run is the one on show.
    void setSitting(const Sitting *sitting);

    // Shows the window active, with the focus on "Sit Another Test".
    void showActive();

    // The review window, or nullptr while none is open.
    ReviewWindow *reviewWindow() const;

    // The sitting window, or nullptr while none is open.
    SittingWindow *sittingWindow() const;

signals:
    // "Sit Another Test" was pressed.
    void anotherTestRequested();

protected:
    // The review window goes with the results window.
    void hideEvent(QHideEvent *event) override;

private:
    // "Sit Another Test": asks for a new run from level 0.
    void Command2_Click() { emit anotherTestRequested(); }

    // "Review Question": opens the review of the failed question, or raises it.
    void Command3_Click();

    // "This Sitting": opens the runs of the sitting, or raises them.
    void SittingButton_Click();

    std::unique_ptr<Ui::Form2> ui_;
    FinishedRun run_;
    WindowSlot<ReviewWindow> review_;
    // The runs "This Sitting" shows; null until setSitting.
    const Sitting *sitting_ = nullptr;
    WindowSlot<SittingWindow> sittingWindow_;
};
