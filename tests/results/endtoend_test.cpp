#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "results/form2.h"
#include "results/runresults.h"
#include "testwindow/form1.h"
#include "testwindow/session.h"
#include "tests/results/windowtest.h"

namespace {

// A number as "%.15g" writes it: the standard text of a double with a point.
QString Standard(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return QString::fromLatin1(buffer);
}

QString LabelText(QWidget *window, const char *name)
{
    return window->findChild<QLabel *>(QLatin1String(name))->text();
}

// The scores of one run played through the window, as the test saw them.
struct PlayedRun {
    std::vector<int> questionScores;
    int levelAtEnd = 0;
    int termCountAtEnd = 0;
};

// Whole runs through real clicks; the main window is wired to the end-of-run
// procedure as at program start.
class EndToEndTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        connection_ = QObject::connect(&TestSession::instance(), &TestSession::runEnded, &ShowRunResults);
    }

    void TearDown() override
    {
        QObject::disconnect(connection_);
        WindowTest::TearDown();
    }

    // Answers `correct` questions right, switching between the two tests as
    // it goes, then one wrong; records each question's worth before answering.
    PlayedRun Play(int correct)
    {
        PlayedRun run;
        TestSession &session = TestSession::instance();
        for (int i = 0; i < correct; ++i) {
            Form1 *form = session.form1();
            if (!form) {
                ADD_FAILURE() << "main window gone after " << i << " answers";
                return run;
            }
            if (i % 3 == 1) {
                Click(form, "Option2");
            } else if (i % 3 == 2) {
                Click(form, "Option1");
            }
            run.questionScores.push_back(session.counters().QuestionScore);
            AnswerRight(form);
        }
        run.levelAtEnd = session.counters().Level;
        run.termCountAtEnd = session.counters().TermCount;
        if (Form1 *form = session.form1()) {
            AnswerWrong(form);
        } else {
            ADD_FAILURE() << "main window gone before the wrong answer";
        }
        return run;
    }

private:
    QMetaObject::Connection connection_;
};

TEST_F(EndToEndTest, ResultsMatchTheScoresOfTheQuestionsAnswered)
{
    constexpr int kCorrect = 8;
    TestSession::instance().showForm1();
    const PlayedRun run = Play(kCorrect);
    ASSERT_EQ(run.questionScores.size(), std::size_t(kCorrect));

    const double best = *std::max_element(run.questionScores.begin(), run.questionScores.end());
    double total = 0;
    for (const int score : run.questionScores) {
        total += score;
    }
    const int dimensions = run.termCountAtEnd - 1;
    ASSERT_GE(dimensions, 1);
    // From a fresh start every question built raises the level by one.
    EXPECT_EQ(run.levelAtEnd, kCorrect + 1);

    Form2 *form2 = LoadedForm2();
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(TestSession::instance().form1(), nullptr);
    EXPECT_EQ(form2->windowTitle(), QStringLiteral("Nested Logic Test Results:- Level %1 Tertiary Logic Achieved")
                                        .arg(run.levelAtEnd - 1));
    EXPECT_EQ(LabelText(form2, "Label5"), QString::number(dimensions));
    EXPECT_EQ(LabelText(form2, "Label6"), Standard(total / 10));
    EXPECT_EQ(LabelText(form2, "Label7"), Standard(std::floor(std::pow(best, 1.05)) / 10 + 50));
    EXPECT_EQ(LabelText(form2, "Label8"),
              Standard(std::floor(total / std::pow(dimensions, 1.3)) / 10));

    Click(form2, "Command2");

    EXPECT_EQ(LoadedForm2(), nullptr);
    EXPECT_FALSE(form2->isVisible());
    Form1 *fresh = TestSession::instance().form1();
    ASSERT_NE(fresh, nullptr);
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_EQ(fresh->windowTitle(),
              QStringLiteral("Zentrix Raw Processing Power Tertiary Nested Logic Test Level: 0"));
    EXPECT_TRUE(fresh->findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked());
    EXPECT_TRUE(fresh->totalScore().isEmpty());
    EXPECT_EQ(TestSession::instance().counters().TermCount, 1);
    EXPECT_EQ(TestSession::instance().counters().Level, 1);
}

TEST_F(EndToEndTest, WrongFirstAnswersRestartOneLevelHigherEachTime)
{
    TestSession &session = TestSession::instance();
    session.showForm1();
    for (int failures = 1; failures <= 4; ++failures) {
        QPointer<Form1> failed = session.form1();
        ASSERT_FALSE(failed.isNull());
        AnswerWrong(failed);
        EXPECT_EQ(LoadedForm2(), nullptr);
        Form1 *fresh = session.form1();
        ASSERT_NE(fresh, nullptr);
        EXPECT_NE(fresh, failed.data());
        EXPECT_TRUE(fresh->windowTitle().endsWith(QStringLiteral(" Level: %1").arg(failures)))
            << qPrintable(fresh->windowTitle());
        FlushDeletes();
        EXPECT_EQ(LiveWindows<Form1>(), 1);
        EXPECT_EQ(LiveWindows<Form2>(), 0);
    }
}

TEST_F(EndToEndTest, OneWindowOpenAndNoneLeftOverAcrossRuns)
{
    TestSession &session = TestSession::instance();
    session.showForm1();
    for (int run = 0; run < 3; ++run) {
        Play(3 + run);
        FlushDeletes();
        ASSERT_NE(LoadedForm2(), nullptr) << "run " << run;
        EXPECT_EQ(session.form1(), nullptr);
        EXPECT_EQ(LiveWindows<Form1>(), 0);
        EXPECT_EQ(LiveWindows<Form2>(), 1);

        Click(LoadedForm2(), "Command2");
        FlushDeletes();
        EXPECT_EQ(LoadedForm2(), nullptr);
        EXPECT_NE(session.form1(), nullptr);
        EXPECT_EQ(LiveWindows<Form1>(), 1);
        EXPECT_EQ(LiveWindows<Form2>(), 0);
    }
}

} // namespace
