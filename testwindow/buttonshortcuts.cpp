#include "testwindow/buttonshortcuts.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

void AddButtonShortcuts(QAbstractButton *button, std::initializer_list<QKeySequence> keys)
{
    for (const QKeySequence &key : keys) {
        auto *shortcut = new QShortcut(key, button->window());
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        QObject::connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled() && button->isVisible())
                button->click();
        });
    }
}

bool PressFocusedButton(QWidget *window, const QKeyEvent *event)
{
    auto *button = qobject_cast<QAbstractButton *>(window->focusWidget());
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !button || !button->isEnabled() || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    button->click();
    return true;
}
