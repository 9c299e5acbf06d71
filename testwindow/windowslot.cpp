#include "testwindow/windowslot.h"

#include <QScreen>

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

void ShowActive(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
