#include "testwindow/session.h"

#include <utility>

#include "testwindow/form1.h"

TestSession::TestSession(ProgramEnd &end, std::unique_ptr<nlt::RandomSource> random,
    std::unique_ptr<nlt::MonotonicClock> clock)
    : end_(end), state_{{}, std::move(random), std::move(clock)}
{
}

TestSession::~TestSession() = default;

Form1 *TestSession::form1() const { return form1_.get(); }

QWidget *TestSession::mainWindow() const { return form1_.get(); }

Form1 *TestSession::showForm1()
{
    Form1 *form = form1_.getOrLoad([this] {
        auto *fresh = new Form1(state_, end_, help_);
        connect(fresh, &Form1::runEnded, this, &TestSession::runEnded);
        connect(fresh, &Form1::reviewRequested, this, &TestSession::reviewRequested);
        fresh->Form_Load();
        return fresh;
    });
    ShowActive(form);
    return form;
}

void TestSession::unloadForm1() { UnloadWindow(form1_); }

void TestSession::offerReview(const FinishedRun &run)
{
    if (Form1 *form = form1_.get())
        form->offerReview(run);
}
