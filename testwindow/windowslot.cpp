#include "testwindow/windowslot.h"

#include <QScreen>
#include <algorithm>

void PlaceCentred(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen) {
        return;
    }
    // Before the first show the frame is not known yet: centre the window's
    // own rectangle, which is off by at most half the frame.
    QRect area = window->geometry();
    area.moveCenter(screen->availableGeometry().center());
    window->move(area.topLeft());
}

void PlaceBeside(QWidget *window, const QWidget *opener)
{
    const QScreen *screen = opener ? opener->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    constexpr int kGap = 8;
    constexpr int kNarrowest = 560;
    const QRect area = screen->availableGeometry();
    const QRect beside = opener ? opener->frameGeometry() : area;
    const int roomRight = area.right() - beside.right() - kGap;
    const int roomLeft = beside.left() - area.left() - kGap;
    const bool right = roomRight >= kNarrowest || roomRight >= roomLeft;
    const int room = right ? roomRight : roomLeft;
    QRect frame(QPoint(), window->size());
    if (opener && room >= kNarrowest) {
        frame.setWidth(std::min(frame.width(), room));
        window->resize(frame.size());
        if (right)
            frame.moveLeft(beside.right() + kGap);
        else
            frame.moveRight(beside.left() - kGap);
        frame.moveTop(std::clamp(beside.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
    } else {
        // Over its middle, but whole on the screen where it fits.
        frame.moveCenter(beside.center());
        frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width() + 1)));
        frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height() + 1)));
    }
    window->move(frame.topLeft());
}

void ShowActive(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
