#include "results/truthrowtable.h"

#include <QHeaderView>
#include <QTableWidget>

#include "engine/wording.h"
#include "results/reviewworking.h"

void ShowTruthRow(QTableWidget *table, const nlt::TruthRow &row)
{
    table->clear();
    table->setRowCount(1);
    table->setColumnCount(int(row.cells.size()));
    for (int column = 0; column < int(row.cells.size()); ++column) {
        const nlt::TruthCell &cell = row.cells[std::size_t(column)];
        table->setHorizontalHeaderItem(column, new QTableWidgetItem(Said(nlt::CellHead(row, cell))));
        auto *item = new QTableWidgetItem(Said(nlt::CellInWords(cell)));
        item->setTextAlignment(Qt::AlignCenter);
        item->setData(Qt::AccessibleTextRole, Said(nlt::CellSpoken(cell)));
        if (cell.used != cell.value) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
            item->setBackground(table->palette().color(QPalette::Active, QPalette::Highlight).lighter(170));
        }
        table->setItem(0, column, item);
    }
    // As small as its cells: a row to read, not a list to scroll.
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    const int frame = 2 * table->frameWidth();
    table->setFixedSize(table->horizontalHeader()->length() + frame,
        table->horizontalHeader()->sizeHint().height() + table->rowHeight(0) + frame);
    table->show();
}
