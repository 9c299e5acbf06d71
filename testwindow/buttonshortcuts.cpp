#include "testwindow/buttonshortcuts.h"

#include <QAbstractButton>
#include <QShortcut>

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
