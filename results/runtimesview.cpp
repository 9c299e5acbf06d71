#include "results/runtimesview.h"

#include <QHeaderView>
#include <QPainter>
#include <QSortFilterProxyModel>

#include "results/labeltext.h"
#include "results/timetext.h"
#include "ui_runtimesview.h"

RunTimesModel::RunTimesModel(std::shared_ptr<const nlt::RunRecord> record, QObject *parent)
    : QAbstractTableModel(parent), record_(std::move(record))
{
    for (std::size_t i = 0; record_ && i < record_->Times().Count(); ++i)
        slowest_ = std::max(slowest_, record_->Times().Ms(i));
}

int RunTimesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !record_ ? 0 : int(record_->Times().Count());
}

int RunTimesModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 3; }

QVariant RunTimesModel::data(const QModelIndex &index, int role) const
{
    const nlt::RunTimes &times = record_->Times();
    const auto row = std::size_t(index.row());
    const qint64 value = index.column() == 0 ? qint64(row) + 1
                       : index.column() == 1 ? qint64(times.Level(row))
                                             : qint64(times.Ms(row));
    if (role == Qt::UserRole)
        return value;
    if (role == kShareRole)
        return index.column() == 2 ? double(value) / double(slowest_) : 0.0;
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    return index.column() == 2 ? nlt::DurationText(value) : QString::number(value);
}

QVariant RunTimesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const char *headings[] = {QT_TR_NOOP("Question"), QT_TR_NOOP("Level"), QT_TR_NOOP("Time")};
    return tr(headings[section]);
}

void TimeBarDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const double share = index.data(RunTimesModel::kShareRole).toDouble();
    if (share > 0) {
        QRect bar = option.rect.adjusted(0, option.rect.height() / 5, 0, -option.rect.height() / 5);
        bar.setWidth(std::max(1, int(bar.width() * share)));
        painter->fillRect(bar, option.palette.color(QPalette::Highlight).lighter(160));
    }
    QStyledItemDelegate::paint(painter, option, index);
}

RunTimesView::RunTimesView(QWidget *parent) : QWidget(parent), ui_(std::make_unique<Ui::RunTimesView>())
{
    ui_->setupUi(this);
    ui_->timesTable->setItemDelegateForColumn(2, new TimeBarDelegate(this));
    hide();
}

RunTimesView::~RunTimesView() = default;

void RunTimesView::setRecord(std::shared_ptr<const nlt::RunRecord> record)
{
    if (!record || record->Times().Count() == 0)
        return;
    const QString failed = nlt::FailedTimeText(record->Times());
    const QString run = nlt::RunTimeText(record->Times());
    ShowLabelText(ui_->failedTime, failed);
    ShowLabelText(ui_->runTime, run);
    auto *sorted = new QSortFilterProxyModel(this);
    sorted->setSortRole(Qt::UserRole);
    sorted->setSourceModel(new RunTimesModel(std::move(record), sorted));
    ui_->timesTable->setModel(sorted);
    ui_->timesTable->sortByColumn(0, Qt::AscendingOrder);
    ui_->timesTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui_->timesTable->scrollToBottom();
    show();
}
