// Shows how a run ends, until the window is closed: the results window of a
// finished run worked through by hand (best question 500, total 1200,
// TermCount 5, Level 9), or, with "thrown-away", the main window after a
// first question answered wrong, offering "Review Last Question".
//   form2_demo [thrown-away]
#include <QAbstractButton>
#include <QApplication>

#include "results/runresults.h"
#include "testwindow/form1.h"
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
    Form1 *form1 = session.showForm1();
    if (argc > 1 && QByteArray(argv[1]) == "thrown-away") {
        // False on a question whose value is True, True on any other.
        const char *wrong = form1->run().question.value == '1' ? "Command3" : "Command2";
        form1->findChild<QAbstractButton *>(QLatin1String(wrong))->click();
        return QApplication::exec();
    }
    results.ShowRunResults({500, 1200, 9, 5, QStringLiteral("(0 Maybe 1) For Not (2 Against 0)"), '2', '1', nullptr});
    return QApplication::exec();
}
