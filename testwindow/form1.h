#pragma once

// The main window's controls, as form1.ui names them:
//   Text1     the expression box (read-only; the question on show)
//   Command2  the True button ("1")
//   Command3  the False button ("2")
//   Command5  the Unknown button ("0", three-valued test only)
//   Command4  the Help button
//   Option1   "Tertiary Logic"; Option2 "Binary Logic"
//   Command1  an invisible button of the design
//   Command6  "Review Last Question", shown after a run without results until the next answer
//   Label2    the notice under the buttons; Frame1, Picture1, Image1 the logo

#include <memory>
#include <optional>

#include "testwindow/programwindow.h"
#include "testwindow/runcontroller.h"
#include "testwindow/runstate.h"

class HelpOpener;
class QAbstractButton;
namespace Ui {
class Form1;
}

// The main window in which the test is taken. Its layout lives in form1.ui;
// its handlers hand every decision to a RunController and show what it
// returns. The run's values live in the window, empty at every load.
class Form1 : public ProgramWindow {
    Q_OBJECT

public:
    // Builds the window at its design values on the program-wide state;
    // nothing runs until Form_Load.
    Form1(TestState &state, ProgramEnd &end, HelpOpener &help, QWidget *parent = nullptr);
    ~Form1() override;

    // Starts a run: shows its first question (call before showing).
    void Form_Load();

    // The values of the run on show.
    const RunState &run() const { return run_; }

    // Whether "Tertiary Logic" is selected.
    bool TertiarySelected() const;

    // Offers "Review Last Question" (Alt+R) on run, a run thrown away
    // without results, until the next answer.
    void offerReview(const FinishedRun &run);

signals:
    // A wrong answer ended the run.
    void runEnded(const FinishedRun &run);
    // "Review Last Question" was pressed on the thrown-away run.
    void reviewRequested(const FinishedRun &run);

protected:
    // Text1_KeyPress: drops every character key typed into the expression box.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Help pressed: opens the help file beside the program.
    void Command4_Click();
    // "Tertiary Logic" clicked: enables Unknown when it is selected.
    void Option1_Click();
    // "Binary Logic" clicked: disables Unknown when it is selected.
    void Option2_Click();
    // An answer button was pressed: shows what its judgement leads to, and
    // gives the focus back to the button once the next question is on show.
    void Answer(QAbstractButton *button, const AnswerOutcome &outcome);
    // Puts a question on show: disables the answer buttons, sets the title
    // and the text, and enables True, False and, in the three-valued test, Unknown.
    void ShowQuestion(const nlt::Question &question);

    std::unique_ptr<Ui::Form1> ui;
    HelpOpener &help_;
    RunState run_;
    RunController controller_;
    // The run "Review Last Question" opens, while it is offered.
    std::optional<FinishedRun> thrownAway_;
};
