#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "testwindow/runstate.h"

class QLabel;
class QModelIndex;
class SlipListModel;
class WorkingModel;

namespace Ui {
class ReviewWindow;
}

// The review of a failed question: the question as shown, the answer given
// and the right one, the steps where a single slip gives the answer given,
// and the working as a tree of groups and steps; selecting a step or a slip
// highlights its text in the question. The person may also edit the
// expression, or type another, and see its value and working. Non-modal,
// above and closed with its owner; deleted when closed; never ends the program.
class ReviewWindow : public QWidget {
    Q_OBJECT

public:
    // Opens on the failed question of run, owned by owner (the results window);
    // the question and its working are filled in when the window is first shown.
    ReviewWindow(const FinishedRun &run, QWidget *owner);
    ~ReviewWindow() override;

    // Works out the text of the question box now.
    void workOut();

    // Shows the failed question again with its answers and slips, not editable.
    void backToQuestion();

protected:
    // Puts the failed question in at the first show.
    void showEvent(QShowEvent *event) override;

private:
    // Shows the value and working of text; chosen, the failed run's answer, adds the slips.
    void showWorking(const QString &text, std::optional<char> chosen);

    // Says inline why text cannot be worked out, marking the character at position.
    void showProblem(const QString &problem, std::optional<qsizetype> position);

    // Makes the question box editable or read-only.
    void setEditing(bool editing);

    // Selects and highlights the group or step at index in the question box.
    void highlight(const QModelIndex &index);

    // Selects in the working the step of the slip at index.
    void showSlip(const QModelIndex &index);

    // Writes a label's text and makes it its accessible name.
    static void say(QLabel *label, const QString &text);

    std::unique_ptr<Ui::ReviewWindow> ui_;
    FinishedRun run_;
    // The answer given, when it is a value character.
    std::optional<char> given_;
    WorkingModel *working_;
    SlipListModel *slips_;
    // Works out an edited expression once typing pauses.
    QTimer pause_;
    // Whether the window has been shown and filled.
    bool shown_ = false;
};
