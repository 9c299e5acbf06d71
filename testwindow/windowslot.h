#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

// Places a window that has not been shown yet in the centre of its screen,
// so that it appears there at once instead of moving after it is mapped.
void PlaceCentred(QWidget *window);

// The frames of a window opened beside another and of that other, its opener.
struct BesideFrames {
    // The opener's frame, moved where that makes room.
    QRect opener;
    // The new window's frame, narrowed or shortened where the screen is small.
    QRect window;
};

// Where a window of frame size `window` (made at least `least`) goes beside the
// opener's frame on the screen's area: side by side wherever the two fit,
// narrowed to a readable width if need be, on the right unless only the
// left has room as things stand, with the opener moved aside as little as
// that takes; otherwise below the opener, or over its lower part
// but under its first `keep` pixels (where its buttons are), with the opener
// moved up as far as that takes. Both stay on the screen where they fit.
BesideFrames PlaceBesideIn(const QRect &area, const QRect &opener, int keep, QSize window, QSize least);

// Places a window that has not been shown yet beside opener, as
// PlaceBesideIn says, moving opener too; centred without an opener.
void PlaceBeside(QWidget *window, QWidget *opener);

// Shows a window raised, active and with the keyboard focus, as a window
// that has just been shown by the program is expected to be.
void ShowActive(QWidget *window);

// The one instance of a window that exists at most once: loaded afresh (at
// its design values, centred) whenever it is asked for while not loaded, and
// forgotten the moment it is unloaded. A window still loaded when the event
// loop ends, or when its slot goes, is deleted with it.
template <class Window> class WindowSlot {
public:
    // An empty slot.
    WindowSlot() = default;
    // Deletes the window still held.
    ~WindowSlot() { delete window_.data(); }
    // One slot per window: it cannot be copied.
    WindowSlot(const WindowSlot &) = delete;
    WindowSlot &operator=(const WindowSlot &) = delete;

    // The loaded window, or nullptr.
    Window *get() const { return window_; }

    // The loaded window; when there is none, load() makes a fresh one first,
    // which place() puts where it first shows (centred unless told otherwise).
    // Nothing is held when load() gives nullptr.
    template <class Load, class Place = void (*)(QWidget *)> Window *getOrLoad(Load &&load, Place place = &PlaceCentred)
    {
        if (!window_) {
            Window *fresh = load();
            if (!fresh) {
                return nullptr;
            }
            window_ = fresh;
            place(fresh);
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, fresh, [fresh] { delete fresh; });
        }
        return window_;
    }

    // Forgets the window at once and deletes it once control is back in the
    // event loop, so it may be called from inside the window's own handlers.
    void release()
    {
        if (Window *window = window_) {
            window_ = nullptr;
            window->hide();
            window->deleteLater();
        }
    }

private:
    QPointer<Window> window_;
};
