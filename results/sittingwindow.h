#pragma once

#include <QWidget>
#include <memory>
#include <span>

#include "results/sitting.h"

namespace Ui {
class SittingWindow;
}

// The runs of this sitting: a chart of the level reached per run and the same
// runs as a table a screen reader reads row by row, the current run marked in
// both. Non-modal, above and closed with its owner; deleted when closed;
// Escape closes it.
class SittingWindow : public QWidget {
    Q_OBJECT

public:
    // Shows runs with the run at index current marked, owned by owner (the results window).
    SittingWindow(std::span<const SittingRun> runs, int current, QWidget *owner);
    ~SittingWindow() override;

private:
    // Fills one table row with run i.
    void fillRow(int i, const SittingRun &run, bool current);

    std::unique_ptr<Ui::SittingWindow> ui_;
};
