#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <memory>

#include "testwindow/closereason.h"
#include "testwindow/runcontroller.h"

class QAbstractButton;
namespace Ui {
class Form1;
}

// The main window in which the test is taken. Its layout lives in form1.ui;
// its handlers hand every decision to a RunController. The per-run values
// live in "Tag" properties: CorrectAnswer on the window, BestQuestionScore
// on Command1 and TotalScore on Command2.
class Form1 : public QWidget, public RunWindow {
    Q_OBJECT

public:
    // Builds the window at its design values; nothing runs until Form_Load.
    explicit Form1(RunServices services, QWidget *parent = nullptr);
    ~Form1() override;

    // Starts a run: builds the first question (call before showing).
    void Form_Load();

    // Decides a close request by its reason; returns whether the window may
    // close. Ending the program is started from here.
    bool Form_QueryUnload(CloseReason reason);

    // The value character of the question on show ("Tag" of the window).
    QString correctAnswer() const override;
    // The run's best question score text ("Tag" of Command1).
    QString bestQuestionScore() const override;
    void setBestQuestionScore(const QString &text) override;
    // The run's total score text ("Tag" of Command2).
    QString totalScore() const override;
    void setTotalScore(const QString &text) override;
    void setUnknownEnabled(bool enabled) override;

    // The question build's view of the window.
    void DisableAnswerButtons() override;
    void SetTitle(const std::string &title) override;
    void SetExpression(const std::string &text) override;
    // Processes pending window events, at most about once per frame.
    void ProcessPendingEvents() override;
    void StoreCorrectAnswer(const std::string &value) override;
    bool TertiarySelected() const override;
    void EnableAnswerButtons(bool unknownToo) override;

protected:
    // The close box (reason 0), a log-off (2) or the program itself (1).
    void closeEvent(QCloseEvent *event) override;
    // Text1_KeyPress: drops every character key typed into the expression box.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Help pressed: opens the help file beside the program.
    void Command4_Click();
    // Adds the keyboard shortcuts of one button; they act only while it is enabled.
    void AddShortcuts(QAbstractButton *button, std::initializer_list<QKeySequence> keys);

    std::unique_ptr<Ui::Form1> ui;
    RunController controller_;
    QElapsedTimer sinceEvents_;
};
