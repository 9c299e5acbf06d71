// Question times through the real windows on a clock the test moves, the
// results window's time lines, and the sitting window over the runs.
#include <QAccessible>
#include <QLabel>
#include <QTableWidget>
#include <optional>

#include "../testwindow/windowfixture.h"
#include "results/runresults.h"
#include "results/sittingwindow.h"
#include "results/timetext.h"

namespace {

// Durations as the windows write them, worked by hand.
TEST(TimeText, RoundsToTheUnitItShows)
{
    const std::pair<std::int64_t, const char *> rows[] = {{0, "0.0 s"}, {4249, "4.2 s"}, {9949, "9.9 s"}, {9950, "10 s"},
        {59'499, "59 s"}, {59'500, "1 min 0 s"}, {252'000, "4 min 12 s"}, {3'599'499, "59 min 59 s"},
        {3'599'500, "1 h 0 min"}, {3'929'999, "1 h 5 min"}};
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    for (const auto &[ms, text] : rows)
        EXPECT_EQ(nlt::DurationText(ms), QString::fromUtf8(text)) << ms;
}

// A session whose clock stands still until the test moves it, with the end
// of a run wired to the results as at start-up.
class SittingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        end.setEndHandler([this] { ++programEnds; });
        session.showForm1();
    }
    void TearDown() override
    {
        results.reset();
        session.unloadForm1();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int programEnds = 0;
    std::int64_t now = 1'000'000;
    ProgramEnd end;
    TestSession session{end, std::make_unique<nlt::SeededRandomSource>(20260612), std::make_unique<FakeClock>(&now)};
    std::optional<RunResults> results{std::in_place, session};
};

// Runs one after another: right answers, then a wrong one, each after ms on
// the clock (the main window minimised meanwhile where said); the level
// reached; and, for a run with results, the results window's two time lines.
TEST_F(SittingTest, EveryRunOfTheSittingKeepsItsTimes)
{
    struct Run {
        int right, ms;
        bool minimised;
        int levelReached;
        const char *time, *runTime, *failedTime;
    };
    const Run runs[] = {
        {0, 1500, false, 0, "1.5 s", nullptr, nullptr}, // thrown away at level 0
        {0, 800, true, 1, "0.8 s", nullptr, nullptr},   // thrown away at level 1
        {4, 2000, true, 6, "10 s", "Time: 10 s, 2.0 s a question", "Question you got wrong: 2.0 s"},
        {2, 65'000, false, 2, "3 min 15 s", "Time: 3 min 15 s, 1 min 5 s a question", "Question you got wrong: 1 min 5 s"},
        {1, 3000, false, 1, "6.0 s", "Time: 6.0 s, 3.0 s a question", "Question you got wrong: 3.0 s"},
    };
    QStringList aggregates;
    for (const Run &run : runs) {
        SCOPED_TRACE(run.levelReached);
        for (int q = 0; q <= run.right; ++q) {
            Form1 *form1 = session.form1();
            if (run.minimised)
                form1->showMinimized();
            now += run.ms;
            form1->showNormal();
            Answer(form1, q < run.right);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Form2 *form2 = results->form2();
        ASSERT_EQ(form2 != nullptr, run.runTime != nullptr);
        aggregates << (form2 ? Child<QLabel>(form2, "Label6")->text() : QStringLiteral("0"));
        if (!form2)
            continue;
        for (const auto &[name, text] : {std::pair{"timeLabel", run.runTime}, {"failedTimeLabel", run.failedTime}}) {
            auto *label = Child<QLabel>(form2, name);
            EXPECT_EQ(std::pair(label->text(), label->accessibleName()), std::pair(QString(text), QString(text)));
        }
        if (&run != std::end(runs) - 1)
            Click(form2, "Command2");
    }

    // Alt+S opens the sitting: one row a run, in order, the last marked and selected; Escape closes it.
    Form2 *form2 = results->form2();
    QApplication::setActiveWindow(form2);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form2));
    QTest::keyClick(form2, Qt::Key_S, Qt::AltModifier);
    SittingWindow *sitting = form2->sittingWindow();
    ASSERT_NE(sitting, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sitting));
    auto *table = sitting->findChild<QTableWidget *>();
    ASSERT_EQ(table->rowCount(), 5);
    for (int i = 0; i < 5; ++i) {
        const Run &run = runs[i];
        const QString number = i == 4 ? QStringLiteral("5 (this run)") : QString::number(i + 1);
        const QStringList expected{number, QString::number(run.levelReached), aggregates[i], QString::number(run.right + 1),
            QString::fromUtf8(run.time)};
        QStringList shown;
        for (int column = 0; column < 5; ++column)
            shown << table->item(i, column)->text();
        EXPECT_EQ(shown, expected) << i;
    }
    EXPECT_EQ(table->selectionModel()->selectedRows().value(0).row(), 4);
    QApplication::setActiveWindow(sitting);
    ASSERT_TRUE(QTest::qWaitForWindowActive(sitting));
    QTest::keyClick(sitting, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form2->sittingWindow(), nullptr);
    EXPECT_EQ(programEnds, 0);
}

} // namespace
