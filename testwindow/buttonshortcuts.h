#pragma once

#include <QKeySequence>
#include <initializer_list>

class QAbstractButton;
class QKeyEvent;
class QWidget;

// Adds keys that press button, from anywhere in its window, only while it is
// enabled and shown; held down, a key presses it once. The shortcuts belong to
// the button's window, which must already hold the button.
void AddButtonShortcuts(QAbstractButton *button, std::initializer_list<QKeySequence> keys);

// Return or Enter (also on the keypad, without other modifiers) presses the
// focused button of window, as Space does; true when it did.
bool PressFocusedButton(QWidget *window, const QKeyEvent *event);
