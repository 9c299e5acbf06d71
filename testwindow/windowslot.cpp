#include "testwindow/windowslot.h"

#include <QAbstractButton>
#include <QScreen>
#include <QWindow>
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

namespace {

// The room left between the two windows.
constexpr int kGap = 8;
// The narrowest a window is made to stand beside its opener; narrower, it goes below.
constexpr int kNarrowest = 560;

// Where a span of length starting at start lies inside the area's span,
// moved as little as that takes; at the area's start when it is too long.
int Within(int start, int length, int areaStart, int areaLength)
{
    return std::clamp(start, areaStart, std::max(areaStart, areaStart + areaLength - length));
}

// The window on the opener's right, unless only its left has room without
// moving the opener; the opener moves as little as that takes. The pair fits
// the area's width.
BesideFrames SideBySide(const QRect &area, QRect opener, QSize window)
{
    const int pair = opener.width() + kGap + window.width();
    const int onRight = Within(opener.left(), pair, area.left(), area.width());
    const int onLeft = Within(opener.left() - kGap - window.width(), pair, area.left(), area.width()) + window.width()
                     + kGap;
    const bool right = onRight == opener.left() || onLeft != opener.left();
    opener.moveTo(right ? onRight : onLeft, Within(opener.top(), opener.height(), area.top(), area.height()));
    QRect frame(QPoint(), window.boundedTo(area.size()));
    frame.moveLeft(right ? opener.left() + opener.width() + kGap : opener.left() - kGap - frame.width());
    frame.moveTop(Within(opener.top(), frame.height(), area.top(), area.height()));
    return {opener, frame};
}

// The window below the opener where it fits whole, else over the opener's
// lower part, under keep; shortened to the screen, never below its least height.
BesideFrames Below(const QRect &area, QRect opener, int keep, QSize window, QSize least)
{
    QRect frame(QPoint(), window.boundedTo(area.size()));
    const int over = opener.height() + kGap + frame.height() <= area.height() ? opener.height() : keep;
    opener.moveTo(Within(opener.left(), opener.width(), area.left(), area.width()),
        Within(opener.top(), over + kGap + frame.height(), area.top(), area.height()));
    const int bottom = area.top() + area.height();
    const int top = opener.top() + over + kGap;
    frame.setHeight(std::max(std::min(frame.height(), bottom - top), std::min(least.height(), area.height())));
    frame.moveTo(Within(opener.left() + (opener.width() - frame.width()) / 2, frame.width(), area.left(), area.width()),
        std::min(top, bottom - frame.height()));
    return {opener, frame};
}

// How far down the opener's frame its own shown buttons reach (not those of
// windows it owns); its whole height when it has none.
int ButtonsBottom(const QWidget *opener)
{
    const int titleBar = opener->geometry().top() - opener->frameGeometry().top();
    int bottom = 0;
    for (const QAbstractButton *button : opener->findChildren<QAbstractButton *>())
        if (button->window() == opener && button->isVisibleTo(opener))
            bottom = std::max(bottom, titleBar + button->mapTo(opener, QPoint(0, button->height())).y());
    return bottom > 0 ? bottom : opener->frameGeometry().height();
}

// The frame a window not yet shown will get: the larger of the opener's and
// what the platform says of the window's own (Windows knows it once the native
// window exists; elsewhere it comes with the first show), never less than none.
QMargins FrameOf(QWidget *window, const QWidget *opener)
{
    const QRect outer = opener->frameGeometry(), inner = opener->geometry();
#ifdef Q_OS_WIN
    // Created early, the native window tells its frame; on X11 that would
    // make the window manager place the frame off its asked position.
    window->winId();
#endif
    const QMargins own = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    return {std::max({inner.left() - outer.left(), own.left(), 0}), std::max({inner.top() - outer.top(), own.top(), 0}),
        std::max({outer.right() - inner.right(), own.right(), 0}),
        std::max({outer.bottom() - inner.bottom(), own.bottom(), 0})};
}

} // namespace

BesideFrames PlaceBesideIn(const QRect &area, const QRect &opener, int keep, QSize window, QSize least)
{
    // A window's layout may ask for more than its designed size.
    window = window.expandedTo(least);
    const int room = area.width() - opener.width() - kGap;
    if (window.width() <= room)
        return SideBySide(area, opener, window);
    if (room >= std::max(kNarrowest, least.width()))
        return SideBySide(area, opener, {room, window.height()});
    return Below(area, opener, keep, window, least);
}

void PlaceBeside(QWidget *window, QWidget *opener)
{
    if (!opener || !opener->screen()) {
        PlaceCentred(window);
        return;
    }
    const QMargins margins = FrameOf(window, opener);
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QSize least = window->minimumSize().expandedTo(window->minimumSizeHint());
    const BesideFrames placed = PlaceBesideIn(opener->screen()->availableGeometry(), opener->frameGeometry(),
        ButtonsBottom(opener), window->size() + frame, least + frame);
    opener->move(placed.opener.topLeft());
    window->resize(placed.window.size() - frame);
    window->move(placed.window.topLeft());
}

void ShowActive(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
