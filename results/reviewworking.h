#pragma once

// The working of an expression as the review window shows it: the item model
// over one explanation that the window's view reads lazily, row by row, with
// the labels the wording module gives each step and group.

#include <QAbstractItemModel>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/explain.h"

// A sentence of the wording module as the review shows it.
inline QString Said(std::string_view words) { return QString::fromUtf8(words.data(), qsizetype(words.size())); }

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
