#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <algorithm>
#include <optional>

#include "../designtable.h"
#include "../testwindow/windowfixture.h"
#include "results/form2.h"
#include "results/reviewwindow.h"
#include "results/runresults.h"

namespace {

// The main window of a fresh session with English number texts and the end of
// a run wired to the results as at start-up; no window is left behind.
class ResultsTest : public WindowTest {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        results.emplace(session);
        WindowTest::SetUp();
    }

    void TearDown() override
    {
        results.reset();
        WindowTest::TearDown();
        EXPECT_EQ(Windows(), std::pair(0, 0));
        QLocale::setDefault(savedLocale_);
    }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // How many main and results windows there are.
    static std::pair<int, int> Windows()
    {
        const QWidgetList all = QApplication::topLevelWidgets();
        const auto count = [&](auto is) { return int(std::count_if(all.begin(), all.end(), is)); };
        return {count([](QWidget *w) { return qobject_cast<Form1 *>(w); }),
            count([](QWidget *w) { return qobject_cast<Form2 *>(w); })};
    }

    QString Text(QWidget *window, const char *label) const { return Child<QLabel>(window, label)->text(); }

    // The end-of-run procedure and the results window it holds.
    std::optional<RunResults> results;

private:
    QLocale savedLocale_;
};

TEST_F(ResultsTest, FailedRunFillsTheWindowInTheUserLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    results->ShowRunResults({500, 1200, 9, 5, QString(), '1', '2', nullptr});
    Form2 *form2 = results->form2();
    ASSERT_NE(form2, nullptr);
    const QString title = QStringLiteral("Nested Logic Test Results:- Level 8 Tertiary Logic Achieved");
    EXPECT_EQ(form2->windowTitle(), title);
    // A screen reader names the window by its title and each value by its number.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form2)->text(QAccessible::Name), title);
    for (const auto &[name, text] : {std::pair{"Label5", "4"}, {"Label6", "120"}, {"Label7", "118,2"}, {"Label8", "19,7"}}) {
        const QString accessible =
            QAccessible::queryAccessibleInterface(Child<QLabel>(form2, name))->text(QAccessible::Name);
        EXPECT_EQ(std::pair(Text(form2, name), accessible), std::pair(QString(text), QString(text))) << name;
    }
    // Shown active, with the focus on "Sit Another Test".
    EXPECT_TRUE(QTest::qWaitForWindowActive(form2));
    EXPECT_EQ(QApplication::focusWidget(), Child(form2, "Command2"));
}

TEST_F(ResultsTest, ControlsHaveTheirDesignValues)
{
    Form2 form2(end);
    const DesignedControl design[] = {
        {"Label2", "Number of Dimensions or Processors online: ", 120, 120, 5895, 375, 12, true},
        {"Label5", "", 6120, 120, 1815, 375, 12, true},
        {"Label4", "Aggregate Score: ", 120, 600, 5775, 375, 12, false},
        {"Label6", "", 6120, 600, 1815, 375, 12, false},
        {"Command2", "Sit Another Test", 120, 840, 1815, 615, 9.75, false},
        {"Label3", "Raw Processing Score: ", 120, 1080, 5775, 495, 18, false},
        {"Label7", "", 6120, 1080, 1815, 375, 13.5, false},
        {"Command3", "Review Question", 120, 1800, 1815, 615, 9.75, false},
        {"Frame1", nullptr, 3480, 1800, 4455, 1815, 12, true},
        {"Picture1", nullptr, 120, 333, 4215, 1335, 0, false},
        {"Image1", nullptr, 0, -111, 4155, 1700, 0, false},
        {"Label9", "Projected Mean Score: ", 1920, 4800, 3855, 615, 18, false},
        {"Label8", "", 6000, 4800, 1815, 375, 13.5, true},
    };
    // The projected mean row is filled but lies below the fixed client area.
    ExpectDesign(&form2, QSize(536, 250), design);
    EXPECT_EQ(form2.windowTitle(), QStringLiteral("Nested Logic Test Results:-"));
    EXPECT_EQ(TabOrder(Child(&form2, "Command2")), QStringList({"Command2", "Command3"}));
}

// A run without results gives way to a fresh question at once, one level
// higher each time; "Review Last Question" (Alt+R) then offers the review of
// the question that ended it, until the next answer.
TEST_F(ResultsTest, WrongFirstAnswersRestartOneLevelHigherEachTime)
{
    EXPECT_FALSE(Child(session.form1(), "Command6")->isVisible());
    for (int failures = 1; failures <= 3; ++failures) {
        const QString failed = QString::fromStdString(session.form1()->run().question.text);
        Answer(session.form1(), false);
        FlushDeletes();
        ASSERT_EQ(Windows(), std::pair(1, 0));
        Form1 *form1 = session.form1();
        EXPECT_TRUE(form1->isVisible());
        EXPECT_TRUE(form1->windowTitle().endsWith(QStringLiteral(" Level: %1").arg(failures)));
        EXPECT_TRUE(Child(form1, "Command6")->isVisible());
        if (failures != 2)
            continue;
        QApplication::setActiveWindow(form1);
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1));
        QTest::keyClick(form1, Qt::Key_R, Qt::AltModifier);
        ReviewWindow *review = results->lastReview();
        ASSERT_NE(review, nullptr);
        EXPECT_TRUE(review->isVisible());
        EXPECT_EQ(review->findChild<QPlainTextEdit *>()->toPlainText(), failed);
        review->close();
    }
    Answer(session.form1());
    EXPECT_FALSE(Child(session.form1(), "Command6")->isVisible());
}

// Clicks and keys still reaching the main window's answer buttons after its
// run ended, before the window is deleted, change nothing: the run ends once,
// its record keeps the failed question once, the results say its level once.
TEST_F(ResultsTest, InputReachingAnEndedRunChangesNothing)
{
    // Right answers before the wrong one (0: a run without results), the late input by keys or clicks, the
    // results' title (the level goes on from run to run: each question built raises it by one).
    const std::tuple<int, bool, const char *> rows[] = {{3, false, "Level 3"}, {3, true, "Level 7"}, {0, false, nullptr},
        {0, true, nullptr}};
    for (const auto &[correct, byKeys, title] : rows) {
        SCOPED_TRACE(std::to_string(correct) + (byKeys ? " keys" : " clicks"));
        session.showForm1();
        for (int i = 0; i < correct; ++i)
            Answer(session.form1());
        QSignalSpy ends(&session, &TestSession::runEnded);
        QPointer<Form1> ended = session.form1();
        Answer(ended, false);
        Form1 *next = session.form1();
        const int level = session.counters().Level;
        for (const char *name : {"Command2", "Command3", "Command5", "Command2"}) {
            if (byKeys)
                QTest::keyClick(Child(ended, name), QByteArray(name) == "Command5" ? Qt::Key_Space : Qt::Key_Return);
            else
                Click(ended, name);
        }
        ASSERT_GE(ends.count(), 1);
        EXPECT_EQ(ends.count(), 1);
        EXPECT_EQ(ends[0][0].value<FinishedRun>().record->Questions().size(), std::size_t(correct + 1));
        EXPECT_EQ(std::pair(session.form1(), int(session.counters().Level)), std::pair(next, level));
        EXPECT_EQ(results->form2() ? results->form2()->windowTitle() : "",
            title ? QStringLiteral("Nested Logic Test Results:- %1 Tertiary Logic Achieved").arg(title) : "");
        FlushDeletes();
        EXPECT_TRUE(ended.isNull());
        results.emplace(session);
    }
}

// Whole runs through real clicks: `correct` right answers, switching between
// the two tests as it goes, then a wrong one, then "Sit Another Test".
TEST_F(ResultsTest, RunsThroughClicksReportTheirScoresAndLeaveNoWindowsBehind)
{
    for (const int correct : {8, 3, 5}) {
        SCOPED_TRACE(correct);
        for (int i = 0; i < correct; ++i) {
            if (i % 3 != 0)
                Click(session.form1(), i % 3 == 1 ? "Option2" : "Option1");
            Answer(session.form1());
        }
        const int dimensions = session.counters().TermCount - 1;
        ASSERT_GE(dimensions, 1);
        const QString failedQuestion = QString::fromStdString(session.form1()->run().question.text);
        Answer(session.form1(), false);
        FlushDeletes();

        Form2 *form2 = results->form2();
        ASSERT_NE(form2, nullptr);
        ASSERT_EQ(Windows(), std::pair(0, 1));
        EXPECT_EQ(form2->windowTitle(),
            QStringLiteral("Nested Logic Test Results:- Level %1 Tertiary Logic Achieved").arg(correct));
        EXPECT_EQ(Text(form2, "Label5"), QString::number(dimensions));

        // Alt+R reviews the failed question where it leaves the results'
        // buttons free (over their lower part on the 800 x 800 offscreen screen), a second press keeps
        // that review, and "Sit Another Test" takes it away with the window.
        ASSERT_TRUE(QTest::qWaitForWindowActive(form2));
        QTest::keyClick(form2, Qt::Key_R, Qt::AltModifier);
        QPointer<ReviewWindow> review = form2->reviewWindow();
        ASSERT_FALSE(review.isNull());
        EXPECT_TRUE(review->isVisible());
        for (const QAbstractButton *button : form2->findChildren<QAbstractButton *>())
            EXPECT_FALSE(button->window() == form2
                         && review->frameGeometry().intersects({button->mapToGlobal(QPoint()), button->size()}));
        EXPECT_TRUE(form2->screen()->availableGeometry().contains(review->frameGeometry()));
        EXPECT_TRUE(review->findChild<QPlainTextEdit *>()->toPlainText().startsWith(failedQuestion));
        Click(form2, "Command3");
        EXPECT_EQ(form2->reviewWindow(), review.data());
        Click(form2, "Command2");
        EXPECT_TRUE(review.isNull() || !review->isVisible());
        FlushDeletes();
        ASSERT_EQ(Windows(), std::pair(1, 0));
        EXPECT_TRUE(session.form1()->isVisible());
        EXPECT_TRUE(session.form1()->windowTitle().endsWith(QLatin1String(" Level: 0")));
        EXPECT_TRUE(Child(session.form1(), "Option1")->isChecked());
        // A run with results is reviewed from the results window only.
        EXPECT_FALSE(Child(session.form1(), "Command6")->isVisible());
    }
    EXPECT_EQ(programEnds, 0);
}

} // namespace
