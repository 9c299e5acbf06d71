// Shows the results window of a finished run worked through by hand (best
// question 500, total 1200, TermCount 5, Level 9) until it is closed.
#include <QApplication>

#include "results/runresults.h"
#include "testwindow/programwindow.h"
#include "testwindow/session.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PrepareApplication();
    TestSession::instance().showForm1();
    ShowRunResults({QStringLiteral("500"), QStringLiteral("1200"), 9, 5, QStringLiteral("(0 Maybe 1) For Not (2 Against 0)"),
                    QStringLiteral("2"), QStringLiteral("1")});
    return QApplication::exec();
}
