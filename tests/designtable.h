#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>

// One control as designed: its caption, its place in twips (15 to a pixel)
// inside its container, its font size in points and weight.
struct DesignedControl {
    const char *name;
    const char *caption;  // nullptr where the control has none
    int left, top, width, height;
    double points;  // 0 where the font is the window's own
    bool bold;
};

// The text a control shows: a button's or label's text, a frame's title.
inline QString CaptionOf(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title();
    return {};
}

// Checks every control of the table in a freshly loaded window.
template <std::size_t N>
void ExpectDesign(QWidget *window, const DesignedControl (&table)[N])
{
    for (const DesignedControl &c : table) {
        SCOPED_TRACE(c.name);
        auto *control = window->findChild<QWidget *>(QLatin1String(c.name));
        ASSERT_NE(control, nullptr);
        control->ensurePolished();
        const QRect expected(std::lround(c.left / 15.0), std::lround(c.top / 15.0), std::lround(c.width / 15.0),
                             std::lround(c.height / 15.0));
        EXPECT_EQ(control->geometry(), expected);
        if (c.caption) {
            EXPECT_EQ(CaptionOf(control), QString::fromUtf8(c.caption));
        }
        if (c.points > 0) {
            EXPECT_DOUBLE_EQ(control->font().pointSizeF(), c.points);
            EXPECT_EQ(control->font().bold(), c.bold);
        }
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
