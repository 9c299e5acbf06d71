#include <QSignalSpy>
#include <QTimer>
#include <vector>

#include "testwindow/scoretext.h"
#include "windowfixture.h"

namespace {

// The real generators, answered right until the wanted answer is on show;
// then the button and the selected test decide what follows. A run that
// ends leaves its question on show, so one window takes every row.
TEST_F(WindowTest, JudgementFollowsAnswerButtonAndMode)
{
    const struct {
        const char *answer, *button;
        bool binary, scored, ends;
        const char *next;  // the kind of question built next, or none
    } cases[] = {
        {"1", "Command2", false, true, false, "Tertiary"}, {"2", "Command2", false, false, true, nullptr},
        {"0", "Command2", false, false, true, nullptr},    {"2", "Command3", false, true, false, "Tertiary"},
        {"1", "Command3", false, false, true, nullptr},    {"0", "Command3", false, false, true, nullptr},
        {"0", "Command5", false, true, false, "Tertiary"}, {"1", "Command5", false, false, true, nullptr},
        {"2", "Command5", false, false, true, nullptr},    {"1", "Command2", true, true, false, "Binary"},
        {"2", "Command2", true, false, true, nullptr},     {"2", "Command3", true, true, false, "Binary"},
        {"1", "Command3", true, false, true, nullptr},
        // "0" under "Binary Logic": a three-valued question left on show moves
        // on unscored; Unknown is disabled, so its click does nothing.
        {"0", "Command2", true, false, false, "Tertiary"}, {"0", "Command3", true, false, false, "Binary"},
        {"0", "Command5", true, false, false, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string("answer ") + c.answer + ", " + c.button + (c.binary ? ", binary" : ", tertiary"));
        Click(form, "Option1");  // a "0" question must be built by the three-valued test
        ASSERT_NO_FATAL_FAILURE(AnswerUntil(c.answer));
        Click(form, c.binary ? "Option2" : "Option1");
        const double total = ScoreTextNumber(form->run().totalScore);
        const int worth = TestSession::instance().counters().QuestionScore;
        const QString title = form->windowTitle();
        QSignalSpy built(Text1(), &QPlainTextEdit::textChanged);
        QSignalSpy ended(&TestSession::instance(), &TestSession::runEnded);
        Click(form, c.button);
        EXPECT_EQ(ScoreTextNumber(form->run().totalScore), total + (c.scored ? worth : 0));
        EXPECT_EQ(ended.count(), c.ends ? 1 : 0);
        EXPECT_EQ(built.isEmpty(), c.next == nullptr);
        EXPECT_TRUE(c.next ? form->windowTitle().contains(c.next) : form->windowTitle() == title);
        EXPECT_EQ(Control("Command5")->isEnabled(), !c.binary);
    }
}

// An equal score leaves the best text as it is; texts read by their leading number.
TEST_F(WindowTest, RecordingKeepsBestAndTotal)
{
    const struct {
        const char *best, *total;  // texts before the right answers
        std::vector<int> scores;   // worth of each question answered right
        const char *bestAfter, *totalAfter;
    } cases[] = {{"", "", {210, 320, 300}, "320", "830"}, {"150.0", "1000 points", {150}, "150.0", "1150"},
                 {"", "", {32767, 32767, 32767}, "32767", "98301"}};
    for (const auto &c : cases) {
        form->run().bestQuestionScore = c.best;
        form->run().totalScore = c.total;
        for (const int score : c.scores) {
            TestSession::instance().counters().QuestionScore = static_cast<std::int16_t>(score);
            Answer(form);
        }
        EXPECT_EQ(form->run().bestQuestionScore, QString(c.bestAfter)) << c.totalAfter;
        EXPECT_EQ(form->run().totalScore, QString(c.totalAfter));
    }
}

// A click the build's event processing delivers: "Tertiary Logic" turns
// Unknown on at once, but Unknown is not judged against the stale answer.
TEST_F(WindowTest, AnswerClicksDuringABuildAreIgnored)
{
    ASSERT_NO_FATAL_FAILURE(AnswerUntil("1"));
    Click(form, "Option2");
    QSignalSpy ended(&TestSession::instance(), &TestSession::runEnded);
    bool midBuild = false;
    QTimer::singleShot(0, form, [&] {
        midBuild = !Control("Command2")->isEnabled();
        Click(form, "Option1");
        EXPECT_TRUE(Control("Command5")->isEnabled());
        Click(form, "Command5");
    });
    Click(form, "Command2");
    EXPECT_TRUE(midBuild);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_TRUE(form->windowTitle().contains("Binary"));
    EXPECT_TRUE(Control("Command5")->isEnabled());
}

} // namespace
