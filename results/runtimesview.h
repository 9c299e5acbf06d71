#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QWidget>
#include <memory>

#include "engine/runrecord.h"

namespace Ui {
class RunTimesView;
}

// The times of a run as a table: question number, level and time, one row a
// question; sorts by the number behind each cell, not its text.
class RunTimesModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The times of record (null: none).
    explicit RunTimesModel(std::shared_ptr<const nlt::RunRecord> record, QObject *parent = nullptr);
    // One row a question timed.
    int rowCount(const QModelIndex &parent = {}) const override;
    // Question, Level, Time.
    int columnCount(const QModelIndex &parent = {}) const override;
    // The cell's text, and for Qt::UserRole the number it stands for.
    QVariant data(const QModelIndex &index, int role) const override;
    // The column headings.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The role under which the time column gives its share of the slowest time, 0 to 1.
    static constexpr int kShareRole = Qt::UserRole + 1;

private:
    std::shared_ptr<const nlt::RunRecord> record_;
    // The slowest question's time, at least 1.
    std::int64_t slowest_ = 1;
};

// Draws a cell of the time column over a bar as long as its share of the
// slowest time, so the slow questions stand out at a glance.
class TimeBarDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    // The bar in a pale selection colour, then the cell as usual.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// The times of the run under review: the failed question's time and the
// run's time and pace in one line, and every question's time in a table.
class RunTimesView : public QWidget {
    Q_OBJECT

public:
    // An empty view; setRecord fills it.
    explicit RunTimesView(QWidget *parent = nullptr);
    ~RunTimesView() override;

    // Shows the times of record; hides the view when there are none.
    void setRecord(std::shared_ptr<const nlt::RunRecord> record);

private:
    std::unique_ptr<Ui::RunTimesView> ui_;
};
