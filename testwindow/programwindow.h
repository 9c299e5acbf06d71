#pragma once

#include <QWidget>

#include "testwindow/closereason.h"
#include "testwindow/windowslot.h"

class ProgramEnd;

// A top-level window of the test (the main window and the results window):
// fixed at the size its form gives it, a title and a close box only, and
// close requests answered by the program's one close rule.
class ProgramWindow : public QWidget {
    Q_OBJECT

public:
    // A window whose close requests end answers.
    explicit ProgramWindow(ProgramEnd &end, QWidget *parent = nullptr);

    // Decides a close request by its reason; returns whether the window may
    // close. Ending the program is started from here.
    bool Form_QueryUnload(CloseReason reason);

protected:
    // Fixes the window at its present size with the test windows' frame;
    // call once the form has been set up.
    void fixFrame();
    // Return and Enter press the focused button, as Space does.
    void keyPressEvent(QKeyEvent *event) override;
    // Tells the close box (User), a log-off (SystemShutdown) and a close by
    // the program (Program) apart and asks Form_QueryUnload.
    void closeEvent(QCloseEvent *event) override;

private:
    ProgramEnd &end_;
};

// Unloads the window held in slot as the program does (close reason Program):
// it is forgotten at once and deleted later.
template <class Window> void UnloadWindow(WindowSlot<Window> &slot)
{
    if (Window *window = slot.get(); window && window->Form_QueryUnload(CloseReason::Program)) {
        slot.release();
    }
}

// Prepares the application once at start-up: the outline faces that stand in
// for the forms' font and the program icon in every size the resources hold.
void PrepareApplication();
