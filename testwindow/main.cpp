#include <QApplication>
#include <cstdio>

#include "results/runresults.h"
#include "testwindow/platform.h"
#include "testwindow/programend.h"
#include "testwindow/programwindow.h"
#include "testwindow/session.h"

int main(int argc, char *argv[])
{
    if (!nlt::platform::DisplayAvailable(argc, argv)) {
        std::fputs("nested-logic-test: no display found. Start it from a desktop session "
                   "(DISPLAY or WAYLAND_DISPLAY must be set).\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    PrepareApplication();
    ProgramEnd end;
    end.installCloseRequestHandlers();
    TestSession session(end, std::make_unique<nlt::ClockRandomSource>());
    RunResults results(session);
    session.showForm1();
    return QApplication::exec();
}
