#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>

#include "results/form2.h"
#include "results/runresults.h"
#include "testwindow/form1.h"
#include "testwindow/session.h"
#include "tests/results/windowtest.h"

namespace {

using EndOfRunTest = WindowTest;

// Puts the main window in the state of a run that has just been failed.
Form1 *FailedRun(const char *best, const char *total, int termCount, int level, bool binary)
{
    TestSession &session = TestSession::instance();
    Form1 *form = session.showForm1();
    if (binary) {
        form->findChild<QRadioButton *>(QStringLiteral("Option2"))->setChecked(true);
    }
    form->setBestQuestionScore(QString::fromLatin1(best));
    form->setTotalScore(QString::fromLatin1(total));
    session.counters().TermCount = static_cast<std::uint8_t>(termCount);
    session.counters().Level = static_cast<std::int16_t>(level);
    return form;
}

QString LabelText(QWidget *window, const char *name)
{
    return window->findChild<QLabel *>(QLatin1String(name))->text();
}

// A run with results and everything the results window must then show.
struct ReportedCase {
    const char *name;
    const char *best;
    const char *total;
    int termCount;
    int level;
    bool binary;
    const char *title;
    const char *label5;
    const char *label6;
    const char *label7;
    const char *label8;
};

// Names the case in test output.
void PrintTo(const ReportedCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReportedRunTest : public WindowTest, public testing::WithParamInterface<ReportedCase> {};

TEST_P(ReportedRunTest, FillsTheResultsWindowAndUnloadsTheMainWindow)
{
    const ReportedCase &c = GetParam();
    QPointer<Form1> form1 = FailedRun(c.best, c.total, c.termCount, c.level, c.binary);

    ShowRunResults();

    Form2 *form2 = LoadedForm2();
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(form2->windowTitle(), QLatin1String(c.title));
    // A screen reader names the window by its title, level included.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form2)->text(QAccessible::Name),
              QLatin1String(c.title));
    EXPECT_EQ(LabelText(form2, "Label5"), QLatin1String(c.label5));
    EXPECT_EQ(LabelText(form2, "Label6"), QLatin1String(c.label6));
    EXPECT_EQ(LabelText(form2, "Label7"), QLatin1String(c.label7));
    EXPECT_EQ(LabelText(form2, "Label8"), QLatin1String(c.label8));

    EXPECT_EQ(TestSession::instance().form1(), nullptr);
    ASSERT_FALSE(form1.isNull());
    EXPECT_FALSE(form1->isVisible());
    FlushDeletes();
    EXPECT_TRUE(form1.isNull());
    EXPECT_EQ(LiveWindows<Form2>(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    EndOfRun, ReportedRunTest,
    testing::Values(
        ReportedCase{"WorkedExample", "500", "1200", 5, 9, false,
                     "Nested Logic Test Results:- Level 8 Tertiary Logic Achieved", "4", "120",
                     "118.2", "19.7"},
        ReportedCase{"TwoValuedRunSameWords", "500", "1200", 5, 9, true,
                     "Nested Logic Test Results:- Level 8 Tertiary Logic Achieved", "4", "120",
                     "118.2", "19.7"},
        ReportedCase{"TwoChainsDivideByOne", "230", "350", 2, 3, false,
                     "Nested Logic Test Results:- Level 2 Tertiary Logic Achieved", "1", "35",
                     "80.1", "35"},
        ReportedCase{"LowestReportedLevel", "120", "120", 2, 2, false,
                     "Nested Logic Test Results:- Level 1 Tertiary Logic Achieved", "1", "12",
                     "65.2", "12"}),
    [](const testing::TestParamInfo<ReportedCase> &info) { return std::string(info.param.name); });

TEST_F(EndOfRunTest, ReportedFiguresFollowTheUserDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FailedRun("500", "1200", 5, 9, false);
    ShowRunResults();
    Form2 *form2 = LoadedForm2();
    ASSERT_NE(form2, nullptr);
    EXPECT_EQ(LabelText(form2, "Label7"), QStringLiteral("118,2"));
    EXPECT_EQ(LabelText(form2, "Label8"), QStringLiteral("19,7"));
    EXPECT_EQ(LabelText(form2, "Label6"), QStringLiteral("120"));
}

// A run that is thrown away: scores and level at the wrong answer.
struct UnreportedCase {
    const char *name;
    const char *best;
    const char *total;
    int level;
};

// Names the case in test output.
void PrintTo(const UnreportedCase &c, std::ostream *os)
{
    *os << c.name;
}

class UnreportedRunTest : public WindowTest, public testing::WithParamInterface<UnreportedCase> {};

TEST_P(UnreportedRunTest, StartsAFreshRunAtTheSameLevel)
{
    const UnreportedCase &c = GetParam();
    QPointer<Form1> old = FailedRun(c.best, c.total, 3, c.level, true);

    ShowRunResults();

    EXPECT_EQ(LoadedForm2(), nullptr);
    Form1 *fresh = TestSession::instance().form1();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, old.data());
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_TRUE(fresh->bestQuestionScore().isEmpty());
    EXPECT_TRUE(fresh->totalScore().isEmpty());
    EXPECT_TRUE(fresh->findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked());
    EXPECT_TRUE(fresh->windowTitle().endsWith(QStringLiteral(" Level: %1").arg(c.level)))
        << qPrintable(fresh->windowTitle());
    FlushDeletes();
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(LiveWindows<Form1>(), 1);
    EXPECT_EQ(LiveWindows<Form2>(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EndOfRun, UnreportedRunTest,
    testing::Values(UnreportedCase{"NoCorrectAnswer", "", "", 5},
                    UnreportedCase{"LevelTooLow", "120", "120", 1},
                    UnreportedCase{"TotalMissing", "500", "", 9},
                    UnreportedCase{"BestMissing", "", "1200", 9}),
    [](const testing::TestParamInfo<UnreportedCase> &info) { return std::string(info.param.name); });

} // namespace
