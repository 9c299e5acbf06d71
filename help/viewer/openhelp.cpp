#include "help/viewer/openhelp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <algorithm>

#ifdef Q_OS_WIN
#include <QProcess>
#include <qt_windows.h>
#else
#include "help/viewer/helpwindow.h"
#endif

namespace {

// Says, without blocking anything, that the help file at path cannot be shown.
void ShowHelpProblem(QWidget *parent, const QString &path, const QString &reason)
{
    // One message at a time: a second failure updates the message on show.
    static QPointer<QMessageBox> box;
    if (!box) {
        box = new QMessageBox(QMessageBox::Warning, QApplication::translate("OpenHelpFile", "Nested Logic Test Help"),
                              QString(), QMessageBox::Ok, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
    }
    box->setText(QApplication::translate("OpenHelpFile", "The help file cannot be opened:\n%1")
                     .arg(QDir::toNativeSeparators(path)));
    box->setInformativeText(reason);
    box->show();
    box->raise();
    box->activateWindow();
}

#ifdef Q_OS_WIN

// Starts "hh.exe" on the file without waiting; the path is one argument, quoted by QProcess.
bool StartSystemViewer(const QString &chmPath)
{
    QProcess viewer;
    viewer.setProgram(QStringLiteral("hh.exe"));
    viewer.setArguments({QDir::toNativeSeparators(QFileInfo(chmPath).absoluteFilePath())});
    viewer.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *arguments) {
        arguments->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        arguments->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
    });
    return viewer.startDetached();
}

#else

// Places a new help window beside the window that asked for it, on the
// side where its screen has room, else centred over it.
void PlaceBeside(QWidget *window, QWidget *opener)
{
    QScreen *screen = opener ? opener->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect beside = opener ? opener->frameGeometry() : area;
    constexpr int kGap = 8;
    QRect frame(QPoint(), window->size());
    frame.moveTop(std::clamp(beside.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
    if (opener && beside.right() + kGap + frame.width() <= area.right()) {
        frame.moveLeft(beside.right() + kGap);
    } else if (opener && beside.left() - kGap - frame.width() >= area.left()) {
        frame.moveRight(beside.left() - kGap);
    } else {
        frame.moveCenter(beside.center());
    }
    window->move(frame.topLeft());
}

#endif

} // namespace

void OpenHelpFile(const QString &chmPath, QWidget *parent)
{
    if (!QFileInfo(chmPath).isFile()) {
        ShowHelpProblem(parent, chmPath, QApplication::translate("OpenHelpFile", "The file does not exist."));
        return;
    }
#ifdef Q_OS_WIN
    if (!StartSystemViewer(chmPath))
        ShowHelpProblem(parent, chmPath, QApplication::translate("OpenHelpFile", "The help viewer hh.exe cannot be started."));
#else
    using nlt::help::HelpWindow;
    // The one help window; it belongs to no other window, so it outlives a
    // reload of the window that opened it.
    static QPointer<HelpWindow> window;
    const bool fresh = !window;
    if (fresh) {
        window = new HelpWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setAttribute(Qt::WA_QuitOnClose, false);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, &QObject::deleteLater);
    }
    if (fresh || QFileInfo(window->filePath()) != QFileInfo(chmPath)) {
        if (!window->openFile(chmPath)) {
            ShowHelpProblem(parent, chmPath, window->errorString());
            if (fresh)
                delete window;
            return;
        }
    }
    if (fresh) {
        PlaceBeside(window, parent);
        // Closing the help gives the focus back to the window that opened it.
        QObject::connect(window, &QObject::destroyed, qApp, [opener = QPointer<QWidget>(parent)] {
            if (opener && opener->isVisible())
                opener->activateWindow();
        });
    }
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
#endif
}
