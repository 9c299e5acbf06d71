#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

#include "fakerunwindow.h"
#include "qtprinters.h"
#include "testwindow/runcontroller.h"

namespace {

enum class Button { True, False, Unknown };
enum class Mode { Tertiary, Binary };
enum class Outcome { ScoredTertiary, ScoredBinary, UnscoredTertiary, UnscoredBinary, RunEnded };

// A controller on a fake window whose builders only log which test they
// made, set the worth of the next question and let events through once.
struct Harness {
    Harness()
        : controller(window, RunServices{
                                 [this]() -> nlt::TestCounters & { return counters; },
                                 [this]() -> nlt::RandomSource & { return random; },
                                 [this] { ++runsEnded; },
                                 [this](nlt::TestCounters &c, nlt::RandomSource &, nlt::QuestionWindow &w) {
                                     Build("tertiary", c, w);
                                 },
                                 [this](nlt::TestCounters &c, nlt::RandomSource &, nlt::QuestionWindow &w) {
                                     Build("binary", c, w);
                                 },
                             })
    {
    }

    void Build(const QString &kind, nlt::TestCounters &c, nlt::QuestionWindow &w)
    {
        built << kind;
        w.DisableAnswerButtons();
        c.QuestionScore = nextScore;
        w.ProcessPendingEvents();
        w.StoreCorrectAnswer(nextAnswer);
        w.EnableAnswerButtons(w.TertiarySelected());
    }

    void Press(Button button)
    {
        switch (button) {
        case Button::True: controller.Command2_Click(); break;
        case Button::False: controller.Command3_Click(); break;
        case Button::Unknown: controller.Command5_Click(); break;
        }
    }

    FakeRunWindow window;
    nlt::TestCounters counters;
    nlt::SeededRandomSource random{1};
    int runsEnded = 0;
    QStringList built;
    std::int16_t nextScore = 0;
    std::string nextAnswer = "1";
    RunController controller;
};

TEST(RunControllerLoad, ResetsTheRunButKeepsTheLevel)
{
    Harness h;
    h.counters = {7, 950, 4, 12};
    h.controller.Form_Load();
    EXPECT_EQ(h.built, QStringList{"tertiary"});
    EXPECT_EQ(h.counters.TermCount, 1);
    EXPECT_EQ(h.counters.NestingRounds, 0);
    EXPECT_EQ(h.counters.Level, 12);
    EXPECT_TRUE(h.window.best.isEmpty());
    EXPECT_TRUE(h.window.total.isEmpty());
}

struct JudgeCase {
    const char *answer;
    Button button;
    Mode mode;
    Outcome outcome;
};

void PrintTo(const JudgeCase &c, std::ostream *out)
{
    static const char *const buttons[] = {"True", "False", "Unknown"};
    *out << "answer " << c.answer << ", " << buttons[static_cast<int>(c.button)] << ", "
         << (c.mode == Mode::Tertiary ? "tertiary" : "binary");
}

void PrintTo(Button button, std::ostream *out)
{
    static const char *const buttons[] = {"True", "False", "Unknown"};
    *out << buttons[static_cast<int>(button)];
}

class RunControllerJudge : public ::testing::TestWithParam<JudgeCase> {};

TEST_P(RunControllerJudge, DecidesByAnswerButtonAndMode)
{
    const JudgeCase &c = GetParam();
    Harness h;
    h.window.answer = QString::fromLatin1(c.answer);
    h.window.tertiary = c.mode == Mode::Tertiary;
    h.counters.QuestionScore = 240;
    h.nextScore = 360;
    h.Press(c.button);

    const bool scored = c.outcome == Outcome::ScoredTertiary || c.outcome == Outcome::ScoredBinary;
    EXPECT_EQ(h.window.total, scored ? QStringLiteral("240") : QString());
    EXPECT_EQ(h.window.best, scored ? QStringLiteral("240") : QString());
    EXPECT_EQ(h.runsEnded, c.outcome == Outcome::RunEnded ? 1 : 0);
    QStringList expected;
    if (c.outcome == Outcome::ScoredTertiary || c.outcome == Outcome::UnscoredTertiary) {
        expected << "tertiary";
    } else if (c.outcome == Outcome::ScoredBinary || c.outcome == Outcome::UnscoredBinary) {
        expected << "binary";
    }
    EXPECT_EQ(h.built, expected);
}

INSTANTIATE_TEST_SUITE_P(
    TertiaryTest, RunControllerJudge,
    ::testing::Values(JudgeCase{"1", Button::True, Mode::Tertiary, Outcome::ScoredTertiary},
                      JudgeCase{"2", Button::True, Mode::Tertiary, Outcome::RunEnded},
                      JudgeCase{"0", Button::True, Mode::Tertiary, Outcome::RunEnded},
                      JudgeCase{"2", Button::False, Mode::Tertiary, Outcome::ScoredTertiary},
                      JudgeCase{"1", Button::False, Mode::Tertiary, Outcome::RunEnded},
                      JudgeCase{"0", Button::False, Mode::Tertiary, Outcome::RunEnded},
                      JudgeCase{"0", Button::Unknown, Mode::Tertiary, Outcome::ScoredTertiary},
                      JudgeCase{"1", Button::Unknown, Mode::Tertiary, Outcome::RunEnded},
                      JudgeCase{"2", Button::Unknown, Mode::Tertiary, Outcome::RunEnded}));

// "0" under "Binary Logic" is the three-valued question left on show: neither
// True nor False scores or ends the run. Unknown ignores the mode.
INSTANTIATE_TEST_SUITE_P(
    BinaryTest, RunControllerJudge,
    ::testing::Values(JudgeCase{"1", Button::True, Mode::Binary, Outcome::ScoredBinary},
                      JudgeCase{"2", Button::True, Mode::Binary, Outcome::RunEnded},
                      JudgeCase{"0", Button::True, Mode::Binary, Outcome::UnscoredTertiary},
                      JudgeCase{"2", Button::False, Mode::Binary, Outcome::ScoredBinary},
                      JudgeCase{"1", Button::False, Mode::Binary, Outcome::RunEnded},
                      JudgeCase{"0", Button::False, Mode::Binary, Outcome::UnscoredBinary},
                      JudgeCase{"0", Button::Unknown, Mode::Binary, Outcome::ScoredTertiary},
                      JudgeCase{"1", Button::Unknown, Mode::Binary, Outcome::RunEnded},
                      JudgeCase{"2", Button::Unknown, Mode::Binary, Outcome::RunEnded}));

struct RecordCase {
    std::vector<std::int16_t> scores;
    const char *best;
    const char *total;
};

class RunControllerRecord : public ::testing::TestWithParam<RecordCase> {};

TEST_P(RunControllerRecord, KeepsBestAndTotal)
{
    Harness h;
    h.controller.Form_Load();
    for (const std::int16_t score : GetParam().scores) {
        h.counters.QuestionScore = score;
        h.Press(Button::True);
    }
    EXPECT_EQ(h.window.best, QString::fromLatin1(GetParam().best));
    EXPECT_EQ(h.window.total, QString::fromLatin1(GetParam().total));
    EXPECT_EQ(h.runsEnded, 0);
}

INSTANTIATE_TEST_SUITE_P(Sequences, RunControllerRecord,
                         ::testing::Values(RecordCase{{210}, "210", "210"},
                                           RecordCase{{210, 320}, "320", "530"},
                                           RecordCase{{210, 320, 300}, "320", "830"},
                                           RecordCase{{150, 150}, "150", "300"},
                                           RecordCase{{500, 120, 499}, "500", "1119"},
                                           RecordCase{{32767, 32767, 32767}, "32767", "98301"}));

TEST(RunControllerRecordText, ReadsTheLeadingNumberOfTheStoredTexts)
{
    Harness h;
    h.window.answer = "1";
    h.window.best = "400 points";
    h.window.total = "1000.0";
    h.counters.QuestionScore = 401;
    h.Press(Button::True);
    EXPECT_EQ(h.window.best, "401");
    EXPECT_EQ(h.window.total, "1401");
}

struct ModeCase {
    bool tertiaryAfterClick;
    bool option1;
    bool unknownBefore;
    bool unknownAfter;
};

class RunControllerMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(RunControllerMode, SwitchesUnknownOnlyForTheSelectedOption)
{
    const ModeCase &c = GetParam();
    Harness h;
    h.window.answer = "2";
    h.window.tertiary = c.tertiaryAfterClick;
    h.window.unknownEnabled = c.unknownBefore;
    c.option1 ? h.controller.Option1_Click() : h.controller.Option2_Click();
    EXPECT_EQ(h.window.unknownEnabled, c.unknownAfter);
    EXPECT_TRUE(h.built.isEmpty());
    EXPECT_EQ(h.window.answer, "2");
}

INSTANTIATE_TEST_SUITE_P(Clicks, RunControllerMode,
                         ::testing::Values(ModeCase{true, true, false, true}, ModeCase{false, true, false, false},
                                           ModeCase{false, false, true, false}, ModeCase{true, false, true, true}));

// A click that arrives while the next question is built (Unknown enabled by
// "Tertiary Logic" mid-build) is dropped, whichever answer button it is.
class RunControllerDuringBuild : public ::testing::TestWithParam<Button> {};

TEST_P(RunControllerDuringBuild, IgnoresAnswerClicks)
{
    Harness h;
    h.window.answer = "1";
    h.window.tertiary = false;
    h.nextAnswer = "2";
    int nestedClicks = 0;
    h.window.onProcessEvents = [&] {
        ++nestedClicks;
        h.window.tertiary = true;
        h.controller.Option1_Click();
        EXPECT_TRUE(h.controller.building());
        h.Press(GetParam());
    };
    h.Press(Button::True);
    EXPECT_EQ(nestedClicks, 1);
    EXPECT_EQ(h.built, QStringList{"binary"});
    EXPECT_EQ(h.runsEnded, 0);
    EXPECT_FALSE(h.controller.building());
    EXPECT_TRUE(h.window.unknownEnabled);

    // Once the question is on show, answers count again.
    h.window.onProcessEvents = nullptr;
    h.Press(Button::False);
    EXPECT_EQ(h.built, (QStringList{"binary", "tertiary"}));
}

INSTANTIATE_TEST_SUITE_P(Buttons, RunControllerDuringBuild,
                         ::testing::Values(Button::True, Button::False, Button::Unknown));

TEST(RunControllerBuildFailure, ReleasesTheBuildingFlag)
{
    FakeRunWindow window;
    nlt::TestCounters counters;
    nlt::SeededRandomSource random{3};
    RunController controller(window, RunServices{
                                         [&]() -> nlt::TestCounters & { return counters; },
                                         [&]() -> nlt::RandomSource & { return random; },
                                         [] {},
                                         [](nlt::TestCounters &, nlt::RandomSource &, nlt::QuestionWindow &) {
                                             throw std::runtime_error("no question");
                                         },
                                     });
    EXPECT_THROW(controller.Form_Load(), std::runtime_error);
    EXPECT_FALSE(controller.building());
}

} // namespace
