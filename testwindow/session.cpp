#include "testwindow/session.h"

#include <QApplication>
#include <QSessionManager>
#include <QWidget>
#include <utility>

#include "testwindow/form1.h"
#include "testwindow/platform.h"

TestSession::TestSession()
    : random_(std::make_unique<nlt::ClockRandomSource>()),
      // Queued, so that an end requested before the event loop runs (during
      // the first build) still ends it as soon as it starts.
      programEndHandler_([] { QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection); })
{
}

TestSession &TestSession::instance()
{
    // Parented to the application so it is gone before the application is.
    static TestSession *session = [] {
        auto *created = new TestSession;
        created->setParent(qApp);
        return created;
    }();
    return *session;
}

void TestSession::setRandomSource(std::unique_ptr<nlt::RandomSource> source)
{
    random_ = std::move(source);
}

Form1 *TestSession::form1() const
{
    return form1_.get();
}

Form1 *TestSession::showForm1()
{
    if (!form1_.get()) {
        Form1 *form = form1_.getOrLoad([this] { return new Form1(*this); });
        form->Form_Load();
        // The load may have processed events that unloaded it again.
        if (form1_.get() != form) {
            return form1_.get();
        }
    }
    Form1 *form = form1_.get();
    ShowActive(form);
    return form;
}

void TestSession::unloadForm1()
{
    UnloadWindow(form1_);
}

void TestSession::endProgram()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    programEndHandler_();
}

void TestSession::setProgramEndHandler(std::function<void()> handler)
{
    programEndHandler_ = std::move(handler);
}

bool TestSession::handleProgramCloseRequest(CloseReason reason)
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

void TestSession::installCloseRequestHandlers()
{
    if (closeHandlersInstalled_) {
        return;
    }
    closeHandlersInstalled_ = true;
    nlt::platform::WatchTermination(this, [this] { handleProgramCloseRequest(CloseReason::TaskManager); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TestSession::commitDataRequested);
}

void TestSession::commitDataRequested(QSessionManager &manager)
{
    if (!handleProgramCloseRequest(CloseReason::SystemShutdown) && manager.allowsInteraction()) {
        manager.cancel();
        manager.release();
    }
}
