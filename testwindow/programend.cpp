#include "testwindow/programend.h"

#include <QApplication>
#include <QSessionManager>
#include <QWidget>
#include <utility>

#include "testwindow/platform.h"

ProgramEnd::ProgramEnd()
    : endHandler_([] {
          QMetaObject::invokeMethod(
              qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
      })
{
}

void ProgramEnd::endProgram()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    endHandler_();
}

void ProgramEnd::setEndHandler(std::function<void()> handler) { endHandler_ = std::move(handler); }

bool ProgramEnd::handleCloseRequest(CloseReason reason)
{
    switch (ActionForCloseReason(reason)) {
    case CloseAction::EndProgram:
        endProgram();
        return true;
    case CloseAction::Cancel:
        return false;
    case CloseAction::Unload:
        return true;
    }
    return true;
}

void ProgramEnd::installCloseRequestHandlers()
{
    if (closeHandlersInstalled_) {
        return;
    }
    closeHandlersInstalled_ = true;
    nlt::platform::WatchTermination(this, [this] { handleCloseRequest(CloseReason::TaskManager); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, &ProgramEnd::commitDataRequested);
}

void ProgramEnd::commitDataRequested(QSessionManager &manager)
{
    if (!handleCloseRequest(CloseReason::SystemShutdown) && manager.allowsInteraction()) {
        manager.cancel();
        manager.release();
    }
}
