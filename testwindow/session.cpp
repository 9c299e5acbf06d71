#include "testwindow/session.h"

#include <QApplication>
#include <QScreen>
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
    // Windows still loaded when the event loop has finished go with it.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { delete form1_.data(); });
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
    return form1_;
}

Form1 *TestSession::showForm1()
{
    if (!form1_) {
        RunServices services{
            [this]() -> nlt::TestCounters & { return counters_; },
            [this]() -> nlt::RandomSource & { return *random_; },
            [this] { emit runEnded(); },
        };
        auto *form = new Form1(std::move(services));
        form1_ = form;
        form->Form_Load();
        // The load may have processed events that unloaded it again.
        if (form1_ != form) {
            return form1_;
        }
        form->show();
        // Centred as a whole, frame included, once the frame is known.
        QRect frame = form->frameGeometry();
        frame.moveCenter(form->screen()->availableGeometry().center());
        form->move(frame.topLeft());
    }
    form1_->show();
    form1_->activateWindow();
    return form1_;
}

void TestSession::unloadForm1()
{
    Form1 *form = form1_;
    if (!form || !form->Form_QueryUnload(CloseReason::Program)) {
        return;
    }
    form1_ = nullptr;
    form->hide();
    form->deleteLater();
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
