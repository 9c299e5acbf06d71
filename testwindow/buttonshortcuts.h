#pragma once

#include <QKeySequence>
#include <initializer_list>

class QAbstractButton;

// Adds keys that press button, from anywhere in its window, only while it is
// enabled and shown; held down, a key presses it once. The shortcuts belong to
// the button's window, which must already hold the button.
void AddButtonShortcuts(QAbstractButton *button, std::initializer_list<QKeySequence> keys);
