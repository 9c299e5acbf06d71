#include "results/reviewworking.h"

#include <algorithm>

#include "engine/wording.h"

WorkingModel::WorkingModel(QObject *parent) : QAbstractItemModel(parent) { clear(); }

void WorkingModel::setWorking(std::string text, nlt::Explanation explanation)
{
    beginResetModel();
    text_ = std::move(text);
    explanation_ = std::move(explanation);
    const std::vector<nlt::GroupWorking> &groups = explanation_.groups;

    // Counting sort of the groups by parent: one pass to count, one to place.
    childStart_.assign(groups.size() + 1, 0);
    for (const nlt::GroupWorking &group : groups)
        if (group.parent != nlt::kNoGroup)
            ++childStart_[group.parent + 1];
    for (std::size_t g = 0; g < groups.size(); ++g)
        childStart_[g + 1] += childStart_[g];
    children_.assign(childStart_.back(), 0);
    std::vector<std::size_t> filled(childStart_.begin(), childStart_.end() - 1);
    topGroups_.clear();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (groups[g].parent == nlt::kNoGroup)
            topGroups_.push_back(g);
        else
            children_[filled[groups[g].parent]++] = g;
    }
    // Siblings are shown as they stand in the text, left to right.
    const auto byPlace = [&groups](std::size_t a, std::size_t b) { return groups[a].range.begin < groups[b].range.begin; };
    for (std::size_t g = 0; g < groups.size(); ++g)
        std::sort(children_.begin() + std::ptrdiff_t(childStart_[g]), children_.begin() + std::ptrdiff_t(childStart_[g + 1]),
            byPlace);
    rowInParent_.assign(groups.size(), 0);
    for (std::size_t g = 0; g < groups.size(); ++g)
        for (std::size_t c = childStart_[g]; c < childStart_[g + 1]; ++c)
            rowInParent_[children_[c]] = int(c - childStart_[g]);
    for (std::size_t row = 0; row < topGroups_.size(); ++row)
        rowInParent_[topGroups_[row]] = int(row);
    endResetModel();
}

void WorkingModel::clear() { setWorking({}, {}); }

std::optional<nlt::TextRange> WorkingModel::rangeAt(const QModelIndex &index) const
{
    if (!index.isValid())
        return std::nullopt;
    const std::size_t n = index.internalId() >> 1U;
    return (index.internalId() & 1U) ? explanation_.steps[n].range : explanation_.groups[n].range;
}

QModelIndex WorkingModel::groupIndex(std::size_t group) const { return createIndex(rowInParent_[group], 0, GroupId(group)); }

QModelIndex WorkingModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column != 0 || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return groupIndex(topGroups_[std::size_t(row)]);
    const std::size_t g = parent.internalId() >> 1U;
    const std::size_t groupsInside = childGroupCount(g);
    if (std::size_t(row) < groupsInside)
        return groupIndex(children_[childStart_[g] + std::size_t(row)]);
    return createIndex(row, 0, StepId(explanation_.groups[g].firstStep + (std::size_t(row) - groupsInside)));
}

QModelIndex WorkingModel::parent(const QModelIndex &child) const
{
    if (!child.isValid())
        return {};
    const std::size_t n = child.internalId() >> 1U;
    const std::size_t holder = (child.internalId() & 1U) ? explanation_.steps[n].group : explanation_.groups[n].parent;
    return holder == nlt::kNoGroup ? QModelIndex() : groupIndex(holder);
}

int WorkingModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(topGroups_.size());
    if (parent.internalId() & 1U)
        return 0;
    const std::size_t g = parent.internalId() >> 1U;
    return int(childGroupCount(g) + explanation_.groups[g].stepCount);
}

int WorkingModel::columnCount(const QModelIndex &) const { return 1; }

QVariant WorkingModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return label(index.internalId());
}

QString WorkingModel::label(quintptr id) const
{
    const std::size_t n = id >> 1U;
    if (id & 1U)
        return Said(nlt::StepInWords(explanation_.steps[n]));
    const nlt::GroupWorking &group = explanation_.groups[n];
    return Said(nlt::GroupInWords(std::string_view(text_).substr(group.range.begin, group.range.length), group.value));
}
