#pragma once

#include <QWidget>
#include <vector>

// A bar chart of the level reached per run, in order, drawn with QPainter:
// one bar a run, the current run's bar in the selection colour with a mark
// above it, and a light rule every five levels.
class LevelChart : public QWidget {
    Q_OBJECT

public:
    // An empty chart.
    explicit LevelChart(QWidget *parent = nullptr);

    // Shows levels (one a run, in order), with the run at index current marked.
    void setLevels(std::vector<int> levels, int current);

    // A chart as wide as its owner gives it, a few lines high.
    QSize sizeHint() const override;

protected:
    // Draws the rules, the bars and the mark of the current run.
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<int> levels_;
    int current_ = -1;
};
