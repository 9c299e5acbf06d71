#pragma once

#include <QString>

class QWidget;

// Opens the help file at chmPath and returns at once; the test goes on while
// the help is open. On Windows the system's help viewer "hh.exe" is started
// on it, minimised with the focus. Elsewhere the program's own help window
// shows it: the first call opens the window on the contents page, every later
// call raises that same window (there is never a second one). A missing,
// unreadable or damaged file gives a message naming chmPath, shown over
// parent without blocking it.
void OpenHelpFile(const QString &chmPath, QWidget *parent);
