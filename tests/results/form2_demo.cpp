// Shows the results window of a finished run worked through by hand (best
// question 500, total 1200, TermCount 5, Level 9) until it is closed.
#include <QApplication>

#include "results/runresults.h"
#include "testwindow/programend.h"
#include "testwindow/programwindow.h"
#include "testwindow/session.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PrepareApplication();
    ProgramEnd end;
    TestSession session(end, std::make_unique<nlt::ClockRandomSource>());
    RunResults results(session);
    session.showForm1();
    results.ShowRunResults({500, 1200, 9, 5, QStringLiteral("(0 Maybe 1) For Not (2 Against 0)"), '2', '1', nullptr});
    return QApplication::exec();
}
