#include "results/sittingwindow.h"

#include <QHeaderView>
#include <QShortcut>
#include <vector>

#include "results/runscores.h"
#include "results/timetext.h"
#include "ui_sittingwindow.h"

namespace {

// How many rows the columns are fitted to, so a long sitting still opens at once.
constexpr int kRowsMeasured = 100;

} // namespace

SittingWindow::SittingWindow(std::span<const SittingRun> runs, int current, QWidget *owner)
    : QWidget(owner, Qt::Dialog), ui_(std::make_unique<Ui::SittingWindow>())
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QWidget::close);

    std::vector<int> levels;
    levels.reserve(runs.size());
    ui_->runsTable->setRowCount(int(runs.size()));
    for (int i = 0; i < int(runs.size()); ++i) {
        levels.push_back(runs[i].levelReached);
        fillRow(i, runs[i], i == current);
    }
    ui_->levelChart->setLevels(std::move(levels), current);
    if (current >= 0 && current < int(runs.size())) {
        const SittingRun &shown = runs[current];
        ui_->levelChart->setAccessibleDescription(
            tr("%n run(s); this run, run %1, reached level %2", nullptr, int(runs.size()))
                .arg(current + 1)
                .arg(shown.levelReached));
        ui_->runsTable->selectRow(current);
        ui_->runsTable->scrollToItem(ui_->runsTable->item(current, 0));
    }
    // Columns fit the rows near the current run; the last, the time, takes the rest.
    ui_->runsTable->horizontalHeader()->setResizeContentsPrecision(kRowsMeasured);
    ui_->runsTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui_->runsTable->horizontalHeader()->setStretchLastSection(true);
}

SittingWindow::~SittingWindow() = default;

void SittingWindow::fillRow(int i, const SittingRun &run, bool current)
{
    const QString texts[] = {current ? tr("%1 (this run)").arg(i + 1) : QString::number(i + 1),
        QString::number(run.levelReached), nlt::FigureText(run.aggregate), QString::number(run.questions),
        nlt::DurationText(run.ms)};
    for (int column = 0; column < 5; ++column) {
        auto *item = new QTableWidgetItem(texts[column]);
        item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        if (current) {
            QFont bold = ui_->runsTable->font();
            bold.setBold(true);
            item->setFont(bold);
        }
        ui_->runsTable->setItem(i, column, item);
    }
}
