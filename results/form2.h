#pragma once

#include <memory>

#include "results/runscores.h"
#include "testwindow/programwindow.h"
#include "testwindow/runstate.h"

class QLabel;
class ReviewWindow;

namespace Ui {
class Form2;
}

// The results window: the level reached in its title, the four figures of a
// finished run beside their captions, and "Sit Another Test".
class Form2 : public ProgramWindow {
    Q_OBJECT

public:
    // Loads the window with every control at its design value.
    explicit Form2(QWidget *parent = nullptr);
    ~Form2() override;

    // Appends the level reached to the present title.
    void setLevelReached(int level);

    // Writes the four figures into the value labels; each label's accessible
    // name becomes the number it shows.
    void setFigures(const nlt::RunFigures &figures);

    // Keeps the finished run whose failed question "Review Question" opens.
    void setFinishedRun(const FinishedRun &run) { run_ = run; }

    // Shows the window active, with the focus on "Sit Another Test".
    void showActive();

    // The review window, or nullptr while none is open.
    ReviewWindow *reviewWindow() const;

protected:
    // The review window goes with the results window.
    void hideEvent(QHideEvent *event) override;

private:
    // "Sit Another Test": a new run from level 0 in a fresh main window.
    void Command2_Click();

    // "Review Question": opens the review of the failed question, or raises it.
    void Command3_Click();

    // Writes one figure into a value label and its accessible name.
    static void showValue(QLabel *label, const QString &text);

    std::unique_ptr<Ui::Form2> ui_;
    FinishedRun run_;
    WindowSlot<ReviewWindow> review_;
};

// The results window: at most one, loaded afresh whenever it is shown after
// being unloaded.
WindowSlot<Form2> &ResultsWindow();
