#include "results/runresults.h"

#include "results/form2.h"
#include "results/runscores.h"
#include "testwindow/scoretext.h"
#include "testwindow/session.h"

void ShowRunResults(const FinishedRun &run)
{
    TestSession &session = TestSession::instance();
    Form2 *form2 = ResultsWindow().getOrLoad([] { return new Form2; });
    form2->show();

    if (!nlt::RunHasResults(run.bestQuestionScore, run.totalScore, run.level)) {
        session.unloadForm1();
        session.showForm1();
        UnloadWindow(ResultsWindow());
        return;
    }

    form2->setLevelReached(run.level - 1);
    form2->setFigures(nlt::ComputeRunFigures(ScoreTextNumber(run.bestQuestionScore),
                                             ScoreTextNumber(run.totalScore), run.termCount));
    form2->setFinishedRun(run);
    session.unloadForm1();
    form2->showActive();
}
