#pragma once

// The working of an expression as the review window shows it: the words of
// every step, group, answer and cause, and the item model over one
// explanation that the window's view reads lazily, row by row.

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/diagnosis.h"
#include "engine/explain.h"

// Every sentence and label of the review, worded in this one place.
class ReviewWording {
    Q_DECLARE_TR_FUNCTIONS(ReviewWording)

public:
    // "True", "False" or "Unknown"; the character itself for any other.
    static QString ValueWord(char value);

    // The word with its value: "False (2)".
    static QString ValueWithWord(char value);

    // "You answered False (2). The answer is True (1)."
    static QString AnswerSentence(char given, char right);

    // "The value is True (1)." for an expression worked out on request.
    static QString ValueSentence(char value);

    // One step as a person works it in the head: "1 For 2 = 2",
    // "Not 0 after For counts as 2", "Not 2 is 1", "Not Not cancels".
    static QString StepText(const nlt::Step &step);

    // A group with its value, "(0 Maybe 1) = 0"; a long group text keeps its
    // beginning and end around an ellipsis.
    static QString GroupText(std::string_view groupText, char value);

    // The text a step works, as it stood when worked: "0 For 2", "Not 2", "Not 0".
    static QString StepQuote(const nlt::Step &step);

    // A cause with its weight in words first: "Most likely: You read "Nand" as "And"."
    static QString CauseText(std::string_view weight, const nlt::Cause &cause);

    // Said while the causes are being worked out.
    static QString DiagnosingText();

    // Said when no cause gives the answer chosen.
    static QString NoCauseText();

    // The part of the question Find My Mistake asks about.
    static QString AskText(const std::string &part);

    // The cause Find My Mistake names.
    static QString NamedText(const nlt::Cause &cause);

    // Said when the answers fit no cause any more.
    static QString OneOffText();

    // Said when nothing is left to ask and no cause stands out.
    static QString UndecidedText();

    // The head of one cell of a truth-table row: "1 Nand 2".
    static QString CellHead(const nlt::TruthRow &row, const nlt::TruthCell &cell);

    // The marked cell of a truth-table row: its right value and the one used.
    static QString MarkedCell(const nlt::TruthRow &row);

    // The marked cell as a screen reader says it.
    static QString MarkedCellSpoken(const nlt::TruthRow &row);

    // "at character 7: <problem>", counting characters from 1.
    static QString ProblemText(qsizetype character, const QString &problem);
};

// The working as a tree: one node per group, inside the group that holds it,
// with the groups it holds first (they are worked first), then its own steps.
// Rows are computed on demand, so thousands of steps cost nothing until shown.
class WorkingModel : public QAbstractItemModel {
    Q_OBJECT

public:
    // An empty working.
    explicit WorkingModel(QObject *parent = nullptr);

    // Shows the working of text.
    void setWorking(std::string text, nlt::Explanation explanation);

    // Shows no working at all.
    void clear();

    // Where the group or step at index stands in the text; nothing for no item.
    std::optional<nlt::TextRange> rangeAt(const QModelIndex &index) const;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    // Item ids: a group's index times two, or a step's index times two plus one.
    static quintptr GroupId(std::size_t group) { return quintptr(group) << 1U; }
    static quintptr StepId(std::size_t step) { return (quintptr(step) << 1U) | 1U; }

    // Number of groups a group holds directly.
    std::size_t childGroupCount(std::size_t group) const { return childStart_[group + 1] - childStart_[group]; }

    // The item of a group, by its row under its parent.
    QModelIndex groupIndex(std::size_t group) const;

    // The label of the item with id.
    QString label(quintptr id) const;

    std::string text_;
    nlt::Explanation explanation_;
    // The groups each group holds directly, left to right: children_[childStart_[g], childStart_[g + 1]).
    std::vector<std::size_t> childStart_;
    std::vector<std::size_t> children_;
    // The outermost groups (the whole chain), and each group's row under its parent.
    std::vector<std::size_t> topGroups_;
    std::vector<int> rowInParent_;
};
