// Shows the review window on a failed run until it is closed, for
// screenshots: a person who reads Nand as And answers generated questions
// until the reading matters. The stage shown: the causes with the first
// selected, "More" pressed, Find My Mistake asking its first part, or at its
// end; or, on a short two-valued run ended by a slip, at its end with every
// part worked rightly but the slip repeated at its step.
// With --time, opens it on the longest question of the capped difficulty
// instead, prints how long opening and scrolling took, and quits.
//   review_demo [causes|more|asking|found|oneoff|--time]
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
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

// How a person who reads Nand as And works a text.
char NandAsAnd(std::string text)
{
    for (std::size_t at; (at = text.find(" Nand ")) != std::string::npos;)
        text.replace(at, 6, " And ");
    return nlt::EvaluateExpression(text)[0];
}

// A run of three-valued questions answered by that person, up to the first
// question the reading gets wrong.
FinishedRun NandAsAndRun()
{
    auto record = std::make_shared<nlt::RunRecord>();
    nlt::TestCounters counters{.TermCount = 1};
    nlt::SeededRandomSource random(11);
    for (;;) {
        const std::string question = nlt::JoinParts(nlt::BuildTertiaryParts(counters, random));
        const char given = NandAsAnd(question);
        record->Add({question, given, false});
        if (given != nlt::EvaluateExpression(question)[0]) {
            FinishedRun run = FailedRun(question);
            run.answerGiven = given;
            run.record = record;
            return run;
        }
    }
}

// A two-valued run whose last question, 1 Nand 1 Or 2 (which is 2), was
// answered 1 after a slip at its Nand.
FinishedRun SlipRun()
{
    auto record = std::make_shared<nlt::RunRecord>();
    for (const nlt::AnsweredQuestion &q :
        {nlt::AnsweredQuestion{"1 Or 2", '1', true}, {"2 And 2", '2', true}, {"1 Nand 1 Or 2", '1', true}})
        record->Add(q);
    FinishedRun run;
    run.question = QStringLiteral("1 Nand 1 Or 2");
    run.answerGiven = '1';
    run.rightAnswer = '2';
    run.record = record;
    return run;
}

// Answers the part Find My Mistake asks as that person, or rightly but for a step
// asked again; false when it asks nothing.
bool AnswerAsked(QWidget *review, bool rightly)
{
    auto *asked = review->findChild<QLabel *>(QStringLiteral("finderQuestion"));
    if (!asked->isVisible())
        return false;
    // The expression stands after the last colon or "work out", or between "You had" and "here".
    static const QRegularExpression expression("^.*(?:: |work out |You had )(.+?)(?: here;.*)?$");
    const std::string part = expression.match(asked->text()).captured(1).toStdString();
    // Working rightly, the person still repeats the slip at its step asked again.
    const bool again = asked->text().startsWith(QLatin1String("You had "));
    const char value = rightly && !again ? nlt::EvaluateExpression(part)[0] : NandAsAnd(part);
    const char *button = value == '1' ? "finderTrue" : value == '2' ? "finderFalse" : "finderUnknown";
    review->findChild<QPushButton *>(QLatin1String(button))->click();
    return true;
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

    const QByteArray stage = argc > 1 ? QByteArray(argv[1]) : QByteArray("causes");
    auto *review = new ReviewWindow(stage == "oneoff" ? SlipRun() : NandAsAndRun(), &owner);
    QObject::connect(review, &QObject::destroyed, &app, &QCoreApplication::quit);
    review->show();
    // Once the causes are in, the stage is played as the person would.
    auto *poll = new QTimer(review);
    QObject::connect(poll, &QTimer::timeout, review, [review, poll, stage] {
        auto *causes = review->findChild<QListWidget *>(QStringLiteral("causesView"));
        if (!causes->isVisible())
            return;
        poll->stop();
        causes->setCurrentRow(0);
        if (stage == "more")
            review->findChild<QPushButton *>(QStringLiteral("moreButton"))->click();
        if (stage == "asking" || stage == "found" || stage == "oneoff") {
            review->findChild<QPushButton *>(QStringLiteral("findButton"))->click();
            while (stage != "asking" && AnswerAsked(review, stage == "oneoff")) {
            }
        }
    });
    poll->start(20);
    return QApplication::exec();
}
