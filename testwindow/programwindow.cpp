#include "testwindow/programwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QDir>
#include <QFont>
#include <QIcon>

#include "testwindow/buttonshortcuts.h"
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
    if (!PressFocusedButton(this, event))
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

namespace {

// The forms name the classic dialog font, "MS Sans Serif". Where that is a
// bitmap face (Windows has it as one) it neither scales with the screen nor
// draws through DirectWrite, so only outline faces are taken, the first of
// its TrueType twin "Microsoft Sans Serif" (Windows) and "Liberation Sans",
// which has its metrics (elsewhere, and under wine). Widgets take the style
// strategy from the application font, as the forms set only family and size.
void UseOutlineFormsFont()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")});
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::ForceOutline);
#ifdef Q_OS_WIN
    // Drawn through DirectWrite, as Qt does at any scale but 100 %: GDI under
    // wine misplaces some narrow glyphs ("I", "!" at 11 pixels) beside the
    // box it measures for them, and Qt's glyph cache then draws them empty.
    font.setHintingPreference(QFont::PreferVerticalHinting);
#endif
    QApplication::setFont(font);
}

} // namespace

void PrepareApplication()
{
    UseOutlineFormsFont();
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
