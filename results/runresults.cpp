#include "results/runresults.h"

#include "results/runscores.h"
#include "testwindow/session.h"

RunResults::RunResults(TestSession &session) : session_(session)
{
    connect(&session, &TestSession::runEnded, this, &RunResults::ShowRunResults);
    connect(&session, &TestSession::reviewRequested, this, &RunResults::ReviewLastQuestion);
}

void RunResults::ShowRunResults(const FinishedRun &run)
{
    sitting_.Add(run);
    Form2 *form2 = form2_.getOrLoad([this] {
        auto *fresh = new Form2(session_.programEnd());
        connect(fresh, &Form2::anotherTestRequested, this, &RunResults::SitAnotherTest);
        return fresh;
    });
    form2->show();

    if (!nlt::RunHasResults(run)) {
        session_.unloadForm1();
        session_.showForm1();
        UnloadWindow(form2_);
        session_.offerReview(run);
        return;
    }

    form2->setLevelReached(nlt::LevelReached(run));
    form2->setFigures(nlt::ComputeRunFigures(*run.bestQuestionScore, static_cast<double>(*run.totalScore), run.termCount));
    form2->setFinishedRun(run);
    form2->setSitting(&sitting_);
    session_.unloadForm1();
    form2->showActive();
}

void RunResults::SitAnotherTest()
{
    nlt::StartAnotherTest(session_.counters());
    session_.showForm1();
    UnloadWindow(form2_);
}

void RunResults::ReviewLastQuestion(const FinishedRun &run)
{
    QWidget *form1 = session_.mainWindow();
    ShowActive(lastReview_.getOrLoad([&] { return new ReviewWindow(run, form1); },
        [form1](QWidget *review) { PlaceBeside(review, form1); }));
}
