#pragma once

#include <QString>

class QWidget;

// Opens the help file at chmPath and returns at once; the test goes on while
// the help is open. On Windows the system's help viewer "hh.exe" is started
// on it, minimised with the focus. Elsewhere the program's own help window
// shows it: the first call opens the window beside opener on the contents
// page, every later call raises that same window (there is never a second
// one), and closing it gives the focus back to opener. A missing, unreadable
// or damaged file gives one message naming chmPath, shown over opener
// without blocking it.
void OpenHelpFile(const QString &chmPath, QWidget *opener);
