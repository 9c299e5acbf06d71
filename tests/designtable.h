#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <cmath>
#include <utility>
#include <gtest/gtest.h>

// One control as designed: its caption (nullptr where it has none), its place in twips (15 to a pixel) inside its
// container, its font size in points (0 where the font is the window's own) and weight.
struct DesignedControl {
    const char *name, *caption;
    int left, top, width, height;
    double points;
    bool bold;
};

// Checks a freshly loaded window's fixed client size and every control of the table: place, caption (a button's
// or label's text, a frame's title) and font.
template <std::size_t N> void ExpectDesign(QWidget *window, QSize size, const DesignedControl (&table)[N])
{
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const auto px = [](int twips) { return int(std::lround(twips / 15.0)); };
    for (const DesignedControl &c : table) {
        SCOPED_TRACE(c.name);
        auto *control = window->findChild<QWidget *>(QLatin1String(c.name));
        ASSERT_NE(control, nullptr);
        control->ensurePolished();
        EXPECT_EQ(control->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height)));
        const auto *button = qobject_cast<QAbstractButton *>(control);
        const auto *label = qobject_cast<QLabel *>(control);
        const auto *frame = qobject_cast<QGroupBox *>(control);
        const QString caption = button ? button->text() : label ? label->text() : frame ? frame->title() : QString();
        EXPECT_EQ(c.caption ? caption : QString(), QString::fromUtf8(c.caption));
        const QFont font = control->font();
        EXPECT_EQ(c.points > 0 ? std::pair(font.pointSizeF(), font.bold()) : std::pair(0.0, false),
            std::pair(c.points, c.bold));
    }
}

// The controls that Tab visits, in order, starting from first.
inline QStringList TabOrder(QWidget *first)
{
    QStringList names;
    QWidget *w = first;
    do {
        if (w->focusPolicy() & Qt::TabFocus && w->isVisibleTo(first->window()) && w->isEnabled())
            names << w->objectName();
        w = w->nextInFocusChain();
    } while (w != first);
    return names;
}
