#include "results/reviewworking.h"

#include <algorithm>

namespace {

// Group texts longer than this are shortened in the middle for their label.
constexpr qsizetype kLongestGroupLabel = 64;

// The operator's word as text.
QString Word(nlt::Operator op)
{
    const std::string_view word = nlt::OperatorWord(op);
    return QString::fromLatin1(word.data(), qsizetype(word.size()));
}

// One value character as text.
QString Char(char value) { return QString(QLatin1Char(value)); }

} // namespace

QString ReviewWording::ValueWord(char value)
{
    switch (value) {
    case '1':
        return tr("True");
    case '2':
        return tr("False");
    case '0':
        return tr("Unknown");
    default:
        return Char(value);
    }
}

QString ReviewWording::ValueWithWord(char value) { return tr("%1 (%2)").arg(ValueWord(value), Char(value)); }

QString ReviewWording::AnswerSentence(char given, char right)
{
    return tr("You answered %1. The answer is %2.").arg(ValueWithWord(given), ValueWithWord(right));
}

QString ReviewWording::ValueSentence(char value) { return tr("The value is %1.").arg(ValueWithWord(value)); }

QString ReviewWording::StepText(const nlt::Step &step)
{
    switch (step.kind) {
    case nlt::StepKind::CancelNots: {
        // The range holds the "Not " prefixes that go, perhaps without the last blank.
        const int pairs = int((step.range.length + 1) / 8);
        return pairs <= 1 ? tr("Not Not cancels") : tr("%1 pairs of Not cancel").arg(pairs);
    }
    case nlt::StepKind::Negate:
        return tr("Not %1 is %2").arg(Char(step.left), Char(step.value));
    case nlt::StepKind::NotZero:
        return step.operatorBefore ? tr("Not 0 after %1 counts as %2").arg(Word(step.op), Char(step.value))
                                   : tr("Not 0 before %1 counts as %2").arg(Word(step.op), Char(step.value));
    case nlt::StepKind::Fold:
        return tr("%1 = %2").arg(StepQuote(step), Char(step.value));
    }
    return {};
}

QString ReviewWording::GroupText(std::string_view groupText, char value)
{
    QString shown = QString::fromUtf8(groupText.data(), qsizetype(groupText.size()));
    if (shown.size() > kLongestGroupLabel) {
        const qsizetype kept = kLongestGroupLabel / 2 - 2;
        shown = shown.left(kept) + QStringLiteral(" \u2026 ") + shown.right(kept);
    }
    return tr("%1 = %2").arg(shown, Char(value));
}

QString ReviewWording::StepQuote(const nlt::Step &step)
{
    switch (step.kind) {
    case nlt::StepKind::CancelNots:
        return QStringLiteral("Not Not");
    case nlt::StepKind::Negate:
        return QStringLiteral("Not %1").arg(Char(step.left));
    case nlt::StepKind::NotZero:
        return QStringLiteral("Not 0");
    case nlt::StepKind::Fold:
        return QStringLiteral("%1 %2 %3").arg(Char(step.left), Word(step.op), Char(step.right));
    }
    return {};
}

QString ReviewWording::CauseText(std::string_view weight, const nlt::Cause &cause)
{
    QString said = QString::fromUtf8(weight.data(), qsizetype(weight.size()));
    if (!said.isEmpty())
        said[0] = said[0].toUpper();
    return tr("%1: %2").arg(said, QString::fromStdString(nlt::DescribeCause(cause)));
}

QString ReviewWording::DiagnosingText() { return tr("Working out what went wrong..."); }

QString ReviewWording::NoCauseText() { return tr("No misreading and no single slip gives your answer."); }

QString ReviewWording::AskText(const std::string &part) { return tr("Work out %1").arg(QString::fromStdString(part)); }

QString ReviewWording::NamedText(const nlt::Cause &cause)
{
    return tr("Found: %1").arg(QString::fromStdString(nlt::DescribeCause(cause)));
}

QString ReviewWording::OneOffText()
{
    return tr("Your answers fit no misreading, so you work this part right now: the slip was a one-off.");
}

QString ReviewWording::UndecidedText()
{
    return tr("Nothing left to ask tells the causes apart; they stand above, the most likely first.");
}

QString ReviewWording::CellHead(const nlt::TruthRow &row, const nlt::TruthCell &cell)
{
    return QStringLiteral("%1 %2 %3").arg(Char(row.left), Word(row.op), Char(cell.right));
}

QString ReviewWording::MarkedCell(const nlt::TruthRow &row)
{
    return tr("\u2714 %1 (not %2)").arg(Char(row.correct), Char(row.used));
}

QString ReviewWording::MarkedCellSpoken(const nlt::TruthRow &row)
{
    return tr("%1, the right value; you used %2").arg(Char(row.correct), Char(row.used));
}

QString ReviewWording::ProblemText(qsizetype character, const QString &problem)
{
    return tr("at character %1: %2").arg(QString::number(character), problem);
}

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
        return ReviewWording::StepText(explanation_.steps[n]);
    const nlt::GroupWorking &group = explanation_.groups[n];
    return ReviewWording::GroupText(std::string_view(text_).substr(group.range.begin, group.range.length), group.value);
}
