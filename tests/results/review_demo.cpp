// Shows the review window on a failed question until it is closed, for
// screenshots; with --time, opens it on the longest question of the capped
// difficulty instead, prints how long opening and scrolling took, and quits.
//   review_demo [--time]
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QListView>
#include <QScrollBar>
#include <QTextStream>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "engine/difficulty.h"
#include "engine/evaluator.h"
#include "engine/explain.h"
#include "engine/generator.h"
#include "engine/random.h"
#include "results/reviewwindow.h"

namespace {

// The text of the n-th question of a run from the start state, drawn from seed.
std::string Question(int n, std::uint64_t seed)
{
    nlt::TestCounters counters{.TermCount = 1};
    for (int q = 1; q < n; ++q)
        nlt::AdvanceDifficulty(counters);
    nlt::SeededRandomSource random(seed);
    return nlt::JoinParts(nlt::BuildTertiaryParts(counters, random));
}

// A failed run on question n: the answer given is the value after the right one.
FinishedRun FailedRun(const std::string &question)
{
    FinishedRun run;
    run.question = QString::fromStdString(question);
    run.rightAnswer = nlt::EvaluateExpression(question).front();
    run.answerGiven = char('0' + (run.rightAnswer - '0' + 1) % 3);
    return run;
}

// Time spent by this thread, in milliseconds: what the opening costs on an idle machine.
double ThreadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Opens the review of the longest of many capped questions several times and
// reports the opening times, then pages through the fully expanded working.
int Time(QWidget &owner)
{
    // Question 393 is the first at the difficulty cap; later ones are no larger.
    std::string longest;
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        std::string question = Question(393, seed);
        if (question.size() > longest.size())
            longest = std::move(question);
    }
    // Beyond the cap: two of those questions side by side, about twice the size.
    const std::string doubled = "(" + longest + ") Xor (" + Question(393, 301) + ")";
    ReviewWindow *review = nullptr;
    for (const std::string *question : {static_cast<const std::string *>(&longest), &doubled}) {
        const nlt::Explanation working = nlt::ExplainExpression(*question);
        std::printf("question: %zu characters, %zu groups, %zu steps\n", question->size(), working.groups.size(),
                    working.steps.size());
        const FinishedRun run = FailedRun(*question);
        for (int opening = 1; opening <= 3; ++opening) {
            delete review;
            QElapsedTimer clock;
            clock.start();
            const double cpu = ThreadMs();
            review = new ReviewWindow(run, &owner);
            review->show();
            review->repaint();
            QCoreApplication::processEvents();
            std::printf("  opening %d (construct, show, first paint): %.1f ms, %.1f ms of processor time\n", opening,
                        double(clock.nsecsElapsed()) / 1e6, ThreadMs() - cpu);
        }
    }

    auto *tree = review->findChild<QTreeView *>(QStringLiteral("workingView"));
    tree->expandAll();
    QCoreApplication::processEvents();
    double slowest = 0;
    int pages = 0;
    const double start = ThreadMs();
    for (QScrollBar *bar = tree->verticalScrollBar(); bar->value() < bar->maximum(); ++pages) {
        const double before = ThreadMs();
        bar->setValue(bar->value() + bar->pageStep());
        tree->viewport()->repaint();
        slowest = std::max(slowest, ThreadMs() - before);
    }
    std::printf("paging through the expanded working: %.2f ms a page on average, %.2f ms at most, over %d pages\n",
                pages ? (ThreadMs() - start) / pages : 0.0, slowest, pages);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QWidget owner; // stands for the results window, which owns the review
    if (argc > 1 && QByteArray(argv[1]) == "--time")
        return Time(owner);

    auto *review = new ReviewWindow(FailedRun(Question(9, 7)), &owner);
    QObject::connect(review, &QObject::destroyed, &app, &QCoreApplication::quit);
    review->show();
    // The first likely slip selected, as a person would after reading it.
    auto *slips = review->findChild<QListView *>(QStringLiteral("slipsView"));
    if (slips->model()->rowCount() > 0)
        slips->setCurrentIndex(slips->model()->index(0, 0));
    return QApplication::exec();
}
