// Shows the results window of a finished run worked through by hand (best
// question 500, total 1200, TermCount 5, Level 9) until it is closed.
#include <QApplication>
#include <QFont>

#include "results/runresults.h"
#include "testwindow/form1.h"
#include "testwindow/session.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));

    TestSession &session = TestSession::instance();
    Form1 *form1 = session.showForm1();
    form1->setBestQuestionScore(QStringLiteral("500"));
    form1->setTotalScore(QStringLiteral("1200"));
    session.counters().TermCount = 5;
    session.counters().Level = 9;
    ShowRunResults();
    return QApplication::exec();
}
