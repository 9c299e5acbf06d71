#pragma once

#include <QObject>
#include <functional>

#include "testwindow/closereason.h"

class QSessionManager;

// The close rule at work and the end of the program: both windows, the
// termination signal and the session manager's log-off ask here whether the
// program may close, and an end is carried out here.
class ProgramEnd : public QObject {
    Q_OBJECT

public:
    // Ends the program with a queued QCoreApplication::exit(0), so that an end
    // requested before the event loop runs still ends it once it starts.
    ProgramEnd();

    // Ends the program at once: hides every window and calls the end handler.
    void endProgram();

    // Replaces what endProgram does after hiding the windows; tests observe
    // the request this way.
    void setEndHandler(std::function<void()> handler);

    // Answers a close request by the close rule, for both windows and for
    // termination and log-off; returns false when the request is refused.
    bool handleCloseRequest(CloseReason reason);

    // Routes SIGTERM and the session manager's log-off to the close rule (once).
    void installCloseRequestHandlers();

private:
    // The session manager asks whether the program may end: refuse.
    void commitDataRequested(QSessionManager &manager);

    std::function<void()> endHandler_;
    bool closeHandlersInstalled_ = false;
};
