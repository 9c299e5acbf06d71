#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "../designtable.h"
#include "results/form2.h"
#include "results/reviewwindow.h"
#include "results/runresults.h"
#include "testwindow/form1.h"
#include "testwindow/session.h"

namespace {

QLabel *Label(QWidget *window, const char *name)
{
    return window->findChild<QLabel *>(QLatin1String(name));
}

void Click(QWidget *window, const char *name)
{
    auto *button = window->findChild<QAbstractButton *>(QLatin1String(name));
    ASSERT_TRUE(button && button->isEnabled()) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks the button for the stored answer, or one that does not match it. A
// "0" question is answered in "Tertiary Logic": the two-valued test skips it.
void Answer(Form1 *form, bool right)
{
    const bool unknown = form->run().correctAnswer == QLatin1String("0");
    const bool isTrue = form->run().correctAnswer == QLatin1String("1");
    if (unknown) {
        Click(form, "Option1");
    }
    Click(form, right && unknown ? "Command5" : isTrue == right ? "Command2" : "Command3");
}

// A seeded session at program start, English number texts, a counted program
// end, and the end of a run wired to the results as at start-up.
class ResultsTest : public testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TestSession &session = TestSession::instance();
        session.setRandomSource(std::make_unique<nlt::SeededRandomSource>(20240611));
        session.setProgramEndHandler([this] { ++programEnds_; });
        session.counters() = nlt::TestCounters{};
        connection_ = QObject::connect(&session, &TestSession::runEnded, &ShowRunResults);
    }

    void TearDown() override
    {
        QObject::disconnect(connection_);
        UnloadWindow(ResultsWindow());
        TestSession::instance().unloadForm1();
        FlushDeletes();
        EXPECT_EQ(Live<Form1>(), 0);
        EXPECT_EQ(Live<Form2>(), 0);
        TestSession::instance().setProgramEndHandler([] {});
        QLocale::setDefault(savedLocale_);
    }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <class T>
    static int Live()
    {
        const QWidgetList all = QApplication::topLevelWidgets();
        return int(std::count_if(all.begin(), all.end(), [](QWidget *w) { return qobject_cast<T *>(w); }));
    }

    int programEnds_ = 0;

private:
    QLocale savedLocale_;
    QMetaObject::Connection connection_;
};

TEST_F(ResultsTest, FailedRunFillsTheWindowInTheUserLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TestSession::instance().showForm1();
    ShowRunResults({QStringLiteral("500"), QStringLiteral("1200"), 9, 5, QString(), QString(), QString()});

    Form2 *form2 = ResultsWindow().get();
    ASSERT_NE(form2, nullptr);
    const QString title = QStringLiteral("Nested Logic Test Results:- Level 8 Tertiary Logic Achieved");
    EXPECT_EQ(form2->windowTitle(), title);
    // A screen reader names the window by its title and each value by its number.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form2)->text(QAccessible::Name), title);
    const std::pair<const char *, const char *> values[] = {
        {"Label5", "4"}, {"Label6", "120"}, {"Label7", "118,2"}, {"Label8", "19,7"}};
    for (const auto &[name, text] : values) {
        QLabel *label = Label(form2, name);
        EXPECT_EQ(label->text(), QLatin1String(text)) << name;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), label->text()) << name;
    }
    // Shown active, with the focus on "Sit Another Test".
    EXPECT_TRUE(QTest::qWaitForWindowActive(form2));
    EXPECT_EQ(QApplication::focusWidget(), form2->findChild<QWidget *>(QStringLiteral("Command2")));
}

TEST_F(ResultsTest, ControlsHaveTheirDesignValues)
{
    Form2 *form2 = ResultsWindow().getOrLoad([] { return new Form2; });
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
    ExpectDesign(form2, design);
    EXPECT_EQ(form2->windowTitle(), QStringLiteral("Nested Logic Test Results:-"));
    // The projected mean row is filled but lies below the fixed client area.
    EXPECT_EQ(form2->size(), QSize(536, 250));
    EXPECT_EQ(form2->minimumSize(), form2->maximumSize());
    EXPECT_EQ(TabOrder(form2->findChild<QWidget *>(QStringLiteral("Command2"))),
              QStringList({"Command2", "Command3"}));
}

TEST_F(ResultsTest, WrongFirstAnswersRestartOneLevelHigherEachTime)
{
    TestSession &session = TestSession::instance();
    session.showForm1();
    for (int failures = 1; failures <= 3; ++failures) {
        QPointer<Form1> failed = session.form1();
        Answer(failed, false);
        FlushDeletes();
        EXPECT_TRUE(failed.isNull());
        EXPECT_EQ(Live<Form2>(), 0);
        ASSERT_NE(session.form1(), nullptr);
        EXPECT_TRUE(session.form1()->isVisible());
        EXPECT_TRUE(session.form1()->windowTitle().endsWith(QStringLiteral(" Level: %1").arg(failures)))
            << qPrintable(session.form1()->windowTitle());
    }
}

// Whole runs through real clicks: `correct` right answers, switching between
// the two tests as it goes, then a wrong one, then "Sit Another Test".
TEST_F(ResultsTest, RunsThroughClicksReportTheirScoresAndLeaveNoWindowsBehind)
{
    TestSession &session = TestSession::instance();
    session.showForm1();
    for (const int correct : {8, 3, 5}) {
        SCOPED_TRACE(correct);
        std::vector<int> scores;
        for (int i = 0; i < correct; ++i) {
            ASSERT_NE(session.form1(), nullptr);
            if (i % 3 != 0) {
                Click(session.form1(), i % 3 == 1 ? "Option2" : "Option1");
            }
            scores.push_back(session.counters().QuestionScore);
            Answer(session.form1(), true);
        }
        const int dimensions = session.counters().TermCount - 1;
        ASSERT_GE(dimensions, 1);
        const QString failedQuestion = session.form1()->run().question;
        Answer(session.form1(), false);
        FlushDeletes();

        Form2 *form2 = ResultsWindow().get();
        ASSERT_NE(form2, nullptr);
        EXPECT_TRUE(form2->isVisible());
        EXPECT_EQ(Live<Form1>(), 0);
        EXPECT_EQ(Live<Form2>(), 1);
        const double best = *std::max_element(scores.begin(), scores.end());
        const double total = std::accumulate(scores.begin(), scores.end(), 0.0);
        // The standard text of a double, written independently of the code under test.
        const auto Standard = [](double value) { return QString::asprintf("%.15g", value); };
        EXPECT_EQ(form2->windowTitle(),
                  QStringLiteral("Nested Logic Test Results:- Level %1 Tertiary Logic Achieved").arg(correct));
        EXPECT_EQ(Label(form2, "Label5")->text(), QString::number(dimensions));
        EXPECT_EQ(Label(form2, "Label6")->text(), Standard(total / 10));
        EXPECT_EQ(Label(form2, "Label7")->text(), Standard(std::floor(std::pow(best, 1.05)) / 10 + 50));
        EXPECT_EQ(Label(form2, "Label8")->text(), Standard(std::floor(total / std::pow(dimensions, 1.3)) / 10));

        // The failed question can be reviewed; the review goes with the window.
        ASSERT_TRUE(QTest::qWaitForWindowActive(form2));
        QTest::keyClick(form2, Qt::Key_R, Qt::AltModifier);
        QPointer<ReviewWindow> review = form2->reviewWindow();
        ASSERT_FALSE(review.isNull());
        EXPECT_TRUE(review->isVisible());
        EXPECT_TRUE(review->findChild<QPlainTextEdit *>()->toPlainText().startsWith(failedQuestion));
        Click(form2, "Command3");
        EXPECT_EQ(form2->reviewWindow(), review.data());

        Click(form2, "Command2");
        EXPECT_TRUE(review.isNull() || !review->isVisible());
        FlushDeletes();
        EXPECT_EQ(Live<Form2>(), 0);
        EXPECT_EQ(Live<Form1>(), 1);
        Form1 *fresh = session.form1();
        ASSERT_NE(fresh, nullptr);
        EXPECT_TRUE(fresh->isVisible());
        EXPECT_TRUE(fresh->windowTitle().endsWith(QLatin1String(" Level: 0"))) << qPrintable(fresh->windowTitle());
        EXPECT_TRUE(fresh->findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked());
    }
    EXPECT_EQ(programEnds_, 0);
}

// A second press of "Sit Another Test" while the new main window builds its
// first question does nothing: that question stays a level-0 question, worth
// 111 (100 x TermCount 1 + 10 x one nesting round + one operator).
TEST_F(ResultsTest, SitAnotherTestActsOncePerPress)
{
    TestSession &session = TestSession::instance();
    session.showForm1();
    ShowRunResults({QStringLiteral("500"), QStringLiteral("1200"), 9, 5, QString(), QStringLiteral("1"),
                    QStringLiteral("2")});
    Form2 *form2 = ResultsWindow().get();
    ASSERT_NE(form2, nullptr);
    bool clickedMidBuild = false;
    QTimer::singleShot(0, form2, [&] {
        clickedMidBuild = session.building();
        Click(form2, "Command2");
    });
    Click(form2, "Command2");
    FlushDeletes();
    EXPECT_TRUE(clickedMidBuild);
    const nlt::TestCounters &c = session.counters();
    EXPECT_EQ(std::tuple(int{c.TermCount}, int{c.NestingRounds}, int{c.Level}, int{c.QuestionScore}),
              std::tuple(1, 1, 1, 111));
    ASSERT_NE(session.form1(), nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(session.form1()));
}

} // namespace
