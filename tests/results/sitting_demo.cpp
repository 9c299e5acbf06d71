// Plays five runs through the real windows on a clock that moves only as the
// person "thinks" (a few seconds a question, longer at higher levels), then
// leaves the results window of the last run on show, for screenshots: alone,
// with its review, or with This Sitting open. With --time, opens the sitting
// window on 1,000 runs instead, prints how long it took, and quits.
//   sitting_demo [results|review|sitting|--time]
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <random>

#include "results/runresults.h"
#include "results/sittingwindow.h"
#include "testwindow/form1.h"
#include "testwindow/programend.h"
#include "testwindow/programwindow.h"
#include "testwindow/session.h"

namespace {

// A clock the demo moves by hand.
struct HandClock final : nlt::MonotonicClock {
    std::int64_t NowMs() override { return now; }
    std::int64_t now = 0;
};

// Clicks a window's named button.
void Press(QWidget *window, const char *name) { window->findChild<QAbstractButton *>(QLatin1String(name))->click(); }

// Opens the sitting window on 1,000 runs and prints how long it took to build,
// show and paint, after one on a single run (as in the program, where the
// results window has loaded the fonts and style already).
int TimeSitting()
{
    std::mt19937 draw(7);
    std::vector<SittingRun> runs(1000);
    for (SittingRun &run : runs)
        run = {int(draw() % 19), double(draw() % 5000) / 10.0, draw() % 40 + 1, std::int64_t(draw() % 600'000)};
    for (const std::size_t count : {std::size_t{1}, runs.size()}) {
        QElapsedTimer clock;
        clock.start();
        auto *window = new SittingWindow(std::span(runs).first(count), int(count) - 1, nullptr);
        window->show();
        window->repaint();
        QTextStream(stdout) << "sitting window with " << count << " runs: opened and painted in " << clock.elapsed()
                            << " ms\n";
        delete window;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PrepareApplication();
    const QByteArray stage = argc > 1 ? QByteArray(argv[1]) : QByteArray("results");
    if (stage == "--time")
        return TimeSitting();
    ProgramEnd end;
    auto clock = std::make_unique<HandClock>();
    HandClock *hand = clock.get();
    TestSession session(end, std::make_unique<nlt::SeededRandomSource>(11), std::move(clock));
    RunResults results(session);
    session.showForm1();
    std::mt19937 think(3);
    for (const int right : {0, 3, 6, 1, 5}) {
        for (int q = 0; q <= right; ++q) {
            Form1 *form1 = session.form1();
            const char value = form1->run().question.value;
            hand->now += 1500 + 900 * form1->run().question.level + std::int64_t(think() % 4000);
            if (value == '0')
                Press(form1, "Option1");
            const bool wrong = q == right;
            Press(form1, value == '0' && !wrong ? "Command5" : (value == '1') != wrong ? "Command2" : "Command3");
        }
        if (right != 5 && results.form2())
            Press(results.form2(), "Command2");
    }
    if (stage != "results")
        Press(results.form2(), stage == "review" ? "Command3" : "sittingButton");
    return QApplication::exec();
}
