#include "results/levelchart.h"

#include <QPainter>
#include <algorithm>

LevelChart::LevelChart(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackgroundRole(QPalette::Base);
}

void LevelChart::setLevels(std::vector<int> levels, int current)
{
    levels_ = std::move(levels);
    current_ = current;
    update();
}

QSize LevelChart::sizeHint() const { return {fontMetrics().averageCharWidth() * 50, fontMetrics().height() * 8}; }

void LevelChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Base));
    const QFontMetrics metrics = fontMetrics();
    const int top = metrics.height(); // room for the mark over the current run
    const int scale = metrics.horizontalAdvance(QStringLiteral("00 "));
    const QRect plot = rect().adjusted(scale, top, -metrics.averageCharWidth(), -metrics.height() / 2);
    const int highest = std::max(5, levels_.empty() ? 0 : *std::ranges::max_element(levels_));
    const auto yOf = [&](int level) { return plot.bottom() - level * plot.height() / highest; };

    painter.setPen(colours.color(QPalette::Mid));
    for (int level = 0; level <= highest; level += 5) {
        painter.drawLine(plot.left(), yOf(level), plot.right(), yOf(level));
        painter.drawText(QRect(0, yOf(level) - metrics.height() / 2, scale - 4, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(level));
    }
    if (levels_.empty())
        return;
    const double step = double(plot.width()) / double(levels_.size());
    const int gap = step >= 4 ? std::max(1, int(step / 5)) : 0;
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        const bool current = int(i) == current_;
        const int left = plot.left() + int(double(i) * step);
        const int right = std::max(left + 1, plot.left() + int(double(i + 1) * step) - gap);
        // A run that reached level 0 still shows as a thin bar.
        const int y = std::min(yOf(levels_[i]), plot.bottom() - 2);
        painter.fillRect(QRect(QPoint(left, y), QPoint(right - 1, plot.bottom())),
            colours.color(current ? QPalette::Highlight : QPalette::Dark));
        if (current) {
            const int middle = (left + right) / 2, h = metrics.height() / 2;
            const QPoint mark[] = {{middle - h / 2, y - h - 2}, {middle + h / 2, y - h - 2}, {middle, y - 2}};
            painter.setBrush(colours.color(QPalette::Text));
            painter.setPen(Qt::NoPen);
            painter.drawPolygon(mark, 3);
        }
    }
}
