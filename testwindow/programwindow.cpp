#include "testwindow/programwindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QDir>
#include <QFont>
#include <QIcon>

#include "testwindow/programend.h"

ProgramWindow::ProgramWindow(ProgramEnd &end, QWidget *parent) : QWidget(parent), end_(end) {}

bool ProgramWindow::Form_QueryUnload(CloseReason reason) { return end_.handleCloseRequest(reason); }

void ProgramWindow::fixFrame()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
}

void ProgramWindow::keyPressEvent(QKeyEvent *event)
{
    // Return and Enter press the focused button, as Space does.
    auto *button = qobject_cast<QAbstractButton *>(focusWidget());
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && button && button->isEnabled() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        button->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ProgramWindow::closeEvent(QCloseEvent *event)
{
    CloseReason reason = CloseReason::Program;
    if (qApp->isSavingSession()) {
        reason = CloseReason::SystemShutdown;
    } else if (event->spontaneous()) {
        reason = CloseReason::User;
    }
    event->setAccepted(Form_QueryUnload(reason));
}

void PrepareApplication()
{
    // The forms name the classic dialog font; Liberation Sans has its metrics.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    Q_INIT_RESOURCE(resources);
    QIcon icon;
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString &name : icons.entryList({QStringLiteral("*.png")})) {
        icon.addFile(icons.filePath(name));
    }
    QApplication::setWindowIcon(icon);
    // Desktops match the windows to the installed desktop entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.zentrix.NestedLogicTest"));
}
