#include "results/runresults.h"

#include "results/form2.h"
#include "results/runscores.h"
#include "testwindow/form1.h"
#include "testwindow/scoretext.h"
#include "testwindow/session.h"

void ShowRunResults()
{
    TestSession &session = TestSession::instance();
    Form2 *form2 = ShowForm2();

    const Form1 *form1 = session.form1();
    const QString best = form1 ? form1->bestQuestionScore() : QString();
    const QString total = form1 ? form1->totalScore() : QString();
    const nlt::TestCounters &counters = session.counters();

    if (!nlt::RunHasResults(best, total, counters.Level)) {
        session.unloadForm1();
        session.showForm1();
        UnloadForm2();
        return;
    }

    form2->setLevelReached(counters.Level - 1);
    form2->setFigures(nlt::ComputeRunFigures(ScoreTextNumber(best), ScoreTextNumber(total),
                                             counters.TermCount));
    session.unloadForm1();
}
