#pragma once

#include "engine/cause.h"

class QTableWidget;

// Fills table with one truth-table row: a head and a cell per right operand,
// each cell worked wrong crossed with its right value and the value used, in
// bold on a pale mark; then sizes the table to its cells and shows it.
void ShowTruthRow(QTableWidget *table, const nlt::TruthRow &row);
