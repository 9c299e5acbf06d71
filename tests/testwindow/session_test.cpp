#include <QSignalSpy>
#include <QTimer>
#include <csignal>

#include "qtprinters.h"
#include "windowfixture.h"

namespace {

const QString kTertiaryTitle = QStringLiteral("Zentrix Raw Processing Power Tertiary Nested Logic Test Level: ");
const QString kBinaryTitle = QStringLiteral("Zentrix Raw Processing Power Binary Nested Logic Test Level: ");

enum class Outcome { ScoredTertiary, ScoredBinary, UnscoredTertiary, UnscoredBinary, RunEnded, Nothing };

struct RunCase {
    const char *answer;
    const char *button;
    bool binary;
    Outcome outcome;
};

void PrintTo(const RunCase &c, std::ostream *out)
{
    *out << "answer " << c.answer << ", " << c.button << ", " << (c.binary ? "binary" : "tertiary");
}

// The real window and generators: the stored answer, the button clicked and
// the selected test decide what follows.
class RunJudgement : public WindowTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(RunJudgement, FollowsTheAnswer)
{
    const RunCase &c = GetParam();
    if (c.binary) {
        Click(Control("Option2"));
        EXPECT_FALSE(Button("Command5")->isEnabled());
    }
    form->StoreCorrectAnswer(c.answer);
    const int worth = TestSession::instance().counters().QuestionScore;
    const QString before = Text1()->toPlainText();
    QSignalSpy ended(&TestSession::instance(), &TestSession::runEnded);
    Click(Button(c.button));

    const bool scored = c.outcome == Outcome::ScoredTertiary || c.outcome == Outcome::ScoredBinary;
    EXPECT_EQ(form->totalScore(), scored ? QString::number(worth) : QString());
    EXPECT_EQ(form->bestQuestionScore(), scored ? QString::number(worth) : QString());
    EXPECT_EQ(ended.count(), c.outcome == Outcome::RunEnded ? 1 : 0);
    switch (c.outcome) {
    case Outcome::ScoredTertiary:
    case Outcome::UnscoredTertiary:
        EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "1");
        break;
    case Outcome::ScoredBinary:
    case Outcome::UnscoredBinary:
        EXPECT_EQ(form->windowTitle(), kBinaryTitle + "1");
        EXPECT_FALSE(Text1()->toPlainText().contains('0'));
        break;
    case Outcome::RunEnded:
    case Outcome::Nothing:
        EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "0");
        EXPECT_EQ(Text1()->toPlainText(), before);
        break;
    }
    EXPECT_EQ(Button("Command5")->isEnabled(), !c.binary);
}

INSTANTIATE_TEST_SUITE_P(Tertiary, RunJudgement,
                         ::testing::Values(RunCase{"1", "Command2", false, Outcome::ScoredTertiary},
                                           RunCase{"2", "Command2", false, Outcome::RunEnded},
                                           RunCase{"0", "Command2", false, Outcome::RunEnded},
                                           RunCase{"2", "Command3", false, Outcome::ScoredTertiary},
                                           RunCase{"1", "Command3", false, Outcome::RunEnded},
                                           RunCase{"0", "Command3", false, Outcome::RunEnded},
                                           RunCase{"0", "Command5", false, Outcome::ScoredTertiary},
                                           RunCase{"1", "Command5", false, Outcome::RunEnded},
                                           RunCase{"2", "Command5", false, Outcome::RunEnded}));

// Unknown is disabled in the two-valued test, so a click on it does nothing.
INSTANTIATE_TEST_SUITE_P(Binary, RunJudgement,
                         ::testing::Values(RunCase{"1", "Command2", true, Outcome::ScoredBinary},
                                           RunCase{"2", "Command2", true, Outcome::RunEnded},
                                           RunCase{"0", "Command2", true, Outcome::UnscoredTertiary},
                                           RunCase{"2", "Command3", true, Outcome::ScoredBinary},
                                           RunCase{"1", "Command3", true, Outcome::RunEnded},
                                           RunCase{"0", "Command3", true, Outcome::UnscoredBinary},
                                           RunCase{"0", "Command5", true, Outcome::Nothing}));

TEST_F(WindowTest, TertiaryClickBringsUnknownBackForTheQuestionOnShow)
{
    Click(Control("Option2"));
    form->StoreCorrectAnswer("2");
    Click(Button("Command3"));
    ASSERT_EQ(form->windowTitle(), kBinaryTitle + "1");
    Click(Control("Option1"));
    EXPECT_TRUE(Button("Command5")->isEnabled());
    EXPECT_EQ(form->windowTitle(), kBinaryTitle + "1");
    // Binary questions never have the answer "0": Unknown ends the run.
    QSignalSpy ended(&TestSession::instance(), &TestSession::runEnded);
    Click(Button("Command5"));
    EXPECT_EQ(ended.count(), 1);
}

// The scores follow the real generators' worth over a run of right answers.
TEST_F(WindowTest, RecordsEveryRightAnswer)
{
    qint64 total = 0;
    qint64 best = 0;
    for (int question = 0; question < 8; ++question) {
        const int worth = TestSession::instance().counters().QuestionScore;
        total += worth;
        best = std::max<qint64>(best, worth);
        const QString answer = form->correctAnswer();
        Click(Button(answer == "1" ? "Command2" : answer == "2" ? "Command3" : "Command5"));
        ASSERT_EQ(form->totalScore(), QString::number(total)) << question;
        ASSERT_EQ(form->bestQuestionScore(), QString::number(best)) << question;
    }
    EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "8");
}

// A run ended from inside the window's own click handler may unload it and
// load a new one at once (a run without results).
TEST_F(WindowTest, WrongAnswerCanReplaceTheWindowFromItsOwnHandler)
{
    TestSession &session = TestSession::instance();
    const QPointer<Form1> old = form;
    QObject::connect(&session, &TestSession::runEnded, [&session] {
        session.unloadForm1();
        session.showForm1();
    });
    form->StoreCorrectAnswer("1");
    Click(Button("Command3"));
    ASSERT_FALSE(old.isNull());
    EXPECT_FALSE(old->isVisible());
    form = session.form1();
    ASSERT_NE(form, nullptr);
    EXPECT_NE(form, old.data());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "1");
    FlushDeletes();
    EXPECT_TRUE(old.isNull());
}

// Clicks that the build's event processing delivers: "Tertiary Logic" turns
// Unknown on at once, but Unknown is not judged against the stale answer.
TEST_F(WindowTest, AnswerClicksDuringABuildAreIgnored)
{
    Click(Control("Option2"));
    form->StoreCorrectAnswer("1");
    QSignalSpy ended(&TestSession::instance(), &TestSession::runEnded);
    bool clickedMidBuild = false;
    QTimer::singleShot(0, form, [&] {
        clickedMidBuild = !Button("Command2")->isEnabled();
        Click(Control("Option1"));
        EXPECT_TRUE(Button("Command5")->isEnabled());
        Click(Button("Command5"));
        Click(Button("Command3"));
    });
    Click(Button("Command2"));
    EXPECT_TRUE(clickedMidBuild);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(form->windowTitle(), kBinaryTitle + "1");
    EXPECT_EQ(form->totalScore(), form->bestQuestionScore());
    EXPECT_TRUE(Button("Command2")->isEnabled());
    EXPECT_TRUE(Button("Command5")->isEnabled());
}

TEST_F(WindowTest, CloseBoxEndsTheProgram)
{
    PressCloseBox();
    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(TestSession::instance().form1(), form);
}

// The close box pressed while a question is built: the program ends, and
// the build underneath still finishes on a living window.
TEST_F(WindowTest, CloseBoxDuringABuildLetsTheBuildFinish)
{
    const QPointer<Form1> guard = form;
    form->StoreCorrectAnswer("1");
    QTimer::singleShot(0, form, [this] { PressCloseBox(); });
    Click(Button("Command2"));
    EXPECT_EQ(programEnds, 1);
    ASSERT_FALSE(guard.isNull());
    EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "1");
    EXPECT_TRUE(Button("Command2")->isEnabled());
}

TEST_F(WindowTest, ShutdownAndLogOffAreRefused)
{
    EXPECT_FALSE(form->Form_QueryUnload(CloseReason::SystemShutdown));
    EXPECT_FALSE(TestSession::instance().handleProgramCloseRequest(CloseReason::SystemShutdown));
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(WindowTest, ProgramCloseUnloadsWithoutEndingTheProgram)
{
    EXPECT_TRUE(form->close());
    EXPECT_EQ(programEnds, 0);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WindowTest, TerminationSignalEndsTheProgram)
{
    TestSession::instance().installCloseRequestHandlers();
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return programEnds == 1; }, 2000));
    EXPECT_FALSE(form->isVisible());
}

} // namespace
