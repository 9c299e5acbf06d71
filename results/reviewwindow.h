#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "engine/finder.h"
#include "engine/runrecord.h"
#include "testwindow/runstate.h"
#include "testwindow/windowslot.h"

class QAbstractButton;
class QLabel;
class QModelIndex;
class PracticeWindow;
class QThread;
class WorkingModel;

namespace Ui {
class ReviewWindow;
}

// The review of a failed question: the question as shown, the answer given
// and the right one, what most likely went wrong (worked out from the whole
// run off the window thread), "Find My Mistake", which asks about parts of
// the question until one cause stands out, and the working as a tree of
// groups and steps; selecting a step or a cause marks its places in the
// question. The person may also edit the expression, or type another, and see
// its value and working. Non-modal, above and closed with its owner; deleted
// when closed; never ends the program.
class ReviewWindow : public QWidget {
    Q_OBJECT

public:
    // Opens on the failed question of run, owned by owner (the results window);
    // the question, its working and its diagnosis start when the window is first shown.
    ReviewWindow(const FinishedRun &run, QWidget *owner);
    ~ReviewWindow() override;

    // Works out the text of the question box now.
    void workOut();

    // Shows the failed question again with its answers and causes, not editable.
    void backToQuestion();

protected:
    // Puts the failed question in at the first show.
    void showEvent(QShowEvent *event) override;

private:
    // What the diagnosis thread hands back: the causes and a finder over them.
    struct Diagnosis {
        std::vector<nlt::Cause> causes;
        std::unique_ptr<nlt::MistakeFinder> finder;
    };

    // Shows the value and working of text; failed, whether it is the failed question.
    void showWorking(const QString &text, bool failed);

    // Says inline why the text on show cannot be worked out.
    void showProblem(const QString &problem);

    // Makes the question box editable or read-only.
    void setEditing(bool editing);

    // Selects and highlights the group or step at index in the question box.
    void highlight(const QModelIndex &index);

    // Starts working out the causes of the failed answer on a thread of its own.
    void startDiagnosis();

    // Takes the causes the thread worked out.
    void takeDiagnosis(Diagnosis diagnosis);

    // Shows the diagnosis with the failed question and hides it with any other text.
    void showDiagnosis();

    // Lists causes_, at most three unless "More" is down.
    void listCauses();

    // Selects and marks every place of the cause in list row row.
    void showCause(int row);

    // How a mark shows: a place selected and scrolled into view, or where a
    // typed text goes wrong, marked only, so that typing goes on undisturbed.
    enum class MarkKind { Place, Problem };

    // Every mark in the question box goes through here. Marks places of text
    // (none: marks nothing) and selects the first; when the box holds another
    // text, their places would be wrong there, so it only takes the marks away.
    void markPlaces(const QString &text, const std::vector<nlt::TextRange> &places, MarkKind kind = MarkKind::Place);

    // Asks the finder's next part, or ends the search.
    void askNext();

    // Takes the person's value for the part on show.
    void answerPart(char value);

    // Says what the search found, with the truth-table row that shows it.
    void endSearch();

    // The misreading that holds: the one the finder named, or the only cause
    // when there was nothing to ask; none for a slip or while the finder asks.
    std::optional<nlt::Cause> heldMisreading() const;

    // Opens the drill on the misreading that holds, beside the review.
    void openPractice();

    // The failed question with the answer given.
    const nlt::AnsweredQuestion &failedQuestion() const { return record_->Questions().back(); }

    std::unique_ptr<Ui::ReviewWindow> ui_;
    FinishedRun run_;
    // The run's answered questions, the failed one last; shared with the diagnosis thread.
    std::shared_ptr<const nlt::RunRecord> record_;
    WorkingModel *working_;
    // The text whose working is on show: the working's places belong to it.
    QString workedText_;
    // Works out an edited expression once typing pauses.
    QTimer pause_;
    // Whether the window has been shown and filled.
    bool shown_ = false;
    // Whether the failed question is on show (not an edit of it).
    bool failedShown_ = false;
    // Whether the causes have been worked out.
    bool diagnosed_ = false;
    // Whether Find My Mistake has been started.
    bool searching_ = false;
    // The thread working out the causes, while it runs.
    QPointer<QThread> diagnosing_;
    // The causes of the failed answer, the most likely first, weighed with the answers so far.
    std::vector<nlt::Cause> causes_;
    // Asks about parts of the failed question; null until the causes are known.
    std::unique_ptr<nlt::MistakeFinder> finder_;
    // The answer buttons of Find My Mistake with the value each gives.
    std::vector<std::pair<QAbstractButton *, char>> answerButtons_;
    // The drill on the misreading, while it is open.
    WindowSlot<PracticeWindow> practice_;
};
