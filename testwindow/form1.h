#pragma once

#include <QElapsedTimer>
#include <memory>

#include "testwindow/programwindow.h"
#include "testwindow/runcontroller.h"
#include "testwindow/runstate.h"

class QAbstractButton;
class TestSession;
namespace Ui {
class Form1;
}

// The main window in which the test is taken. Its layout lives in form1.ui;
// its handlers hand every decision to a RunController, and the run's values
// live in the window as one RunState, empty at every load.
class Form1 : public ProgramWindow, public RunWindow {
    Q_OBJECT

public:
    // Builds the window at its design values; nothing runs until Form_Load.
    explicit Form1(TestSession &session, QWidget *parent = nullptr);
    ~Form1() override;

    // Starts a run: builds the first question (call before showing).
    void Form_Load();

    // The values of the run on show.
    RunState &run() { return run_; }

    // The question build's view of the window.
    void DisableAnswerButtons() override;
    void SetTitle(const std::string &title) override;
    void SetExpression(const std::string &text) override;
    // Processes pending window events, at most about once per frame.
    void ProcessPendingEvents() override;
    void StoreCorrectAnswer(const std::string &value) override;
    bool TertiarySelected() const override;
    void EnableAnswerButtons(bool unknownToo) override;
    void setUnknownEnabled(bool enabled) override;

protected:
    // Text1_KeyPress: drops every character key typed into the expression box.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Help pressed: opens the help file beside the program.
    void Command4_Click();
    // An answer button was pressed: judge it, and give the focus back to it
    // once the next question is on show.
    void Answer(QAbstractButton *button, void (RunController::*judge)());
    // Adds the keyboard shortcuts of one button; they act only while it is enabled.
    void AddShortcuts(QAbstractButton *button, std::initializer_list<QKeySequence> keys);

    std::unique_ptr<Ui::Form1> ui;
    RunState run_;
    RunController controller_;
    QElapsedTimer sinceEvents_;
    // The answer button whose press is being judged, until the next question shows.
    QAbstractButton *answered_ = nullptr;
};
