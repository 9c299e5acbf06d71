#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "engine/cause.h"
#include "engine/practice.h"
#include "engine/random.h"

class QAbstractButton;
class QLabel;

namespace Ui {
class PracticeWindow;
}

// A drill on the misreading the review found: ten short expressions of the
// run's test, one at a time, answered with the test's own buttons and keys;
// each answer is judged at once, a wrong one with the step where the rule acts
// and that operator's truth-table row; the end says how many were right and
// which of the rule's cases were still wrong. It holds only its own drill: it
// changes nothing of the test or its run and keeps nothing once closed.
// Non-modal, above and closed with its owner (the review); deleted when closed.
class PracticeWindow : public QWidget {
    Q_OBJECT

public:
    // A drill on cause in the two-valued test (binary) or the other, owned by
    // owner; the expressions come from random.
    PracticeWindow(const nlt::Cause &cause, bool binary, QWidget *owner,
        std::unique_ptr<nlt::RandomSource> random = std::make_unique<nlt::ClockRandomSource>());
    ~PracticeWindow() override;

    // Draws ten new expressions and shows the first.
    void practiseAgain();

protected:
    // Return and Enter press the focused button, as Space does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Shows the expression at index_ with the answer buttons.
    void showItem();

    // Judges the answer value to the expression on show and says so.
    void answer(char value);

    // The sentence on where the rule acts in item, for a wrong answer.
    QString ruleActs(const nlt::PracticeItem &item) const;

    // Shows how many were right and which cases of the rule were still wrong.
    void showEnd();

    std::unique_ptr<Ui::PracticeWindow> ui_;
    nlt::Cause cause_;
    bool binary_;
    std::unique_ptr<nlt::RandomSource> random_;
    // The drill on show and the index of its expression on show.
    std::vector<nlt::PracticeItem> drill_;
    std::size_t index_ = 0;
    // Right answers so far.
    int right_ = 0;
    // Each case of the rule met, in the order met, and whether its last answer was wrong.
    std::vector<std::pair<std::string, bool>> cases_;
    // The answer buttons with the value each gives.
    std::vector<std::pair<QAbstractButton *, char>> answerButtons_;
};
