#pragma once

#include <QMessageBox>
#include <QString>

#include "testwindow/windowslot.h"

#ifndef Q_OS_WIN
#include "help/viewer/helpwindow.h"
#endif

class QWidget;

// Opens the help file, holding the one help window and the one problem
// message the program shows at a time; it lives as long as the program, so
// the help window outlives a reload of the window that opened it.
class HelpOpener {
public:
    // Opens the help file at chmPath and returns at once; the test goes on
    // while the help is open. On Windows the system's help viewer "hh.exe" is
    // started on it, minimised with the focus. Elsewhere the program's own
    // help window shows it: the first call opens the window beside opener on
    // the contents page, every later call raises that same window (there is
    // never a second one), and closing it gives the focus back to opener. A
    // missing, unreadable or damaged file gives one message naming chmPath,
    // shown over opener without blocking it.
    void OpenHelpFile(const QString &chmPath, QWidget *opener);

private:
    // Says, without blocking anything, that the help file at path cannot be
    // shown; a second failure updates the message on show.
    void ShowHelpProblem(QWidget *opener, const QString &path, const QString &reason);

    // The message on show, if any.
    WindowSlot<QMessageBox> problem_;
#ifndef Q_OS_WIN
    // A new help window on chmPath, or nullptr, after saying why, when it cannot be read.
    nlt::help::HelpWindow *LoadHelpWindow(const QString &chmPath, QWidget *opener);

    // The help window, if one is open.
    WindowSlot<nlt::help::HelpWindow> window_;
#endif
};
