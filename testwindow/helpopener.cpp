#include "testwindow/helpopener.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "testwindow/windowslot.h"

#ifdef Q_OS_WIN
#include <QProcess>
#include <qt_windows.h>
#else
#include <memory>

#include "help/viewer/helpwindow.h"
#endif

namespace {

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

using nlt::help::HelpWindow;

#endif

} // namespace

void HelpOpener::ShowHelpProblem(QWidget *opener, const QString &path, const QString &reason)
{
    QMessageBox *box = problem_.getOrLoad(
        [opener] {
            auto *box = new QMessageBox(QMessageBox::Warning,
                QApplication::translate("OpenHelpFile", "Nested Logic Test Help"), QString(), QMessageBox::Ok, opener);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setWindowModality(Qt::NonModal);
            return box;
        },
        [](QWidget *) {}); // a message box places itself over its opener
    box->setText(
        QApplication::translate("OpenHelpFile", "The help file cannot be opened:\n%1").arg(QDir::toNativeSeparators(path)));
    box->setInformativeText(reason);
    ShowActive(box);
}

#ifndef Q_OS_WIN

HelpWindow *HelpOpener::LoadHelpWindow(const QString &chmPath, QWidget *opener)
{
    auto window = std::make_unique<HelpWindow>();
    if (!window->openFile(chmPath)) {
        ShowHelpProblem(opener, chmPath, window->errorString());
        return nullptr;
    }
    // It belongs to no other window, so it outlives a reload of its opener.
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    // Closing the help gives the focus back to the window that opened it.
    QObject::connect(window.get(), &QObject::destroyed, qApp, [opener = QPointer<QWidget>(opener)] {
        if (opener && opener->isVisible())
            opener->activateWindow();
    });
    return window.release();
}

#endif

void HelpOpener::OpenHelpFile(const QString &chmPath, QWidget *opener)
{
    if (!QFileInfo(chmPath).isFile()) {
        ShowHelpProblem(opener, chmPath, QApplication::translate("OpenHelpFile", "The file does not exist."));
        return;
    }
#ifdef Q_OS_WIN
    if (!StartSystemViewer(chmPath))
        ShowHelpProblem(opener, chmPath,
            QApplication::translate("OpenHelpFile", "The help viewer hh.exe cannot be started."));
#else
    HelpWindow *window = window_.get();
    if (window && QFileInfo(window->filePath()) != QFileInfo(chmPath) && !window->openFile(chmPath)) {
        ShowHelpProblem(opener, chmPath, window->errorString());
        return;
    }
    window = window_.getOrLoad([&] { return LoadHelpWindow(chmPath, opener); },
        [opener](QWidget *fresh) { PlaceBeside(fresh, opener); });
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    ShowActive(window);
#endif
}
