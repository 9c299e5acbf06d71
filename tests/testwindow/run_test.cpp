#include <optional>
#include <tuple>

#include "testwindow/runcontroller.h"
#include "windowfixture.h"

namespace {

// One press judged without a window, one row per case: the question on show
// (its value and worth), the button, the selected test and the run's scores
// before (empty: no right answer yet); then what follows and the scores after.
// Every press keeps the question's time, shown at 2.5 s and answered at 7 s.
TEST(RunController, JudgesEachPressByTheTable)
{
    enum Next { Tertiary, Binary, Ends };
    using Best = std::optional<int>;
    using Total = std::optional<std::int64_t>;
    const std::tuple<const char *, char, char, bool, int, Best, Total, Next, Best, Total> rows[] = {
        {"True, right", '1', '1', true, 350, 300, 900, Tertiary, 350, 1250},
        {"False, right, two-valued", '2', '2', false, 250, 300, 900, Binary, 300, 1150},
        {"first answer of a run, right", '2', '2', true, 350, {}, {}, Tertiary, 350, 350},
        {"Unknown, right", '0', '0', true, 300, 300, 900, Tertiary, 300, 1200},
        {"Unknown, right, two-valued selected", '0', '0', false, 350, {}, {}, Tertiary, 350, 350},
        {"True on a 0 question, two-valued: unscored", '0', '1', false, 350, 300, 900, Tertiary, 300, 900},
        {"False on a 0 question, two-valued: unscored", '0', '2', false, 350, {}, {}, Binary, {}, {}},
        {"total past 2^31", '1', '1', false, 32767, 32767, 2147480000, Binary, 32767, 2147512767},
        {"wrong, after right answers", '1', '2', true, 350, 300, 900, Ends, 300, 900},
        {"wrong first answer of a run", '2', '1', false, 350, {}, {}, Ends, {}, {}},
        {"True on a 0 question, three-valued", '0', '1', true, 350, 300, 900, Ends, 300, 900},
        {"Unknown, wrong", '1', '0', true, 350, 300, 900, Ends, 300, 900},
        {"Unknown, wrong, two-valued selected", '2', '0', false, 350, {}, {}, Ends, {}, {}},
    };
    for (const auto &[what, value, given, tertiary, worth, best, total, next, bestAfter, totalAfter] : rows) {
        SCOPED_TRACE(what);
        std::int64_t now = 2500;
        TestState state{{.TermCount = 4, .QuestionScore = std::int16_t(worth), .NestingRounds = 2, .Level = 7},
            std::make_unique<nlt::SeededRandomSource>(5), std::make_unique<FakeClock>(&now)};
        RunState run{{"(1 Or 2) And 0", worth, value, 6, false}, best, total};
        RunController controller(run, state);
        controller.questionShown();
        now = 7000;
        const AnswerOutcome outcome = controller.answer(given, tertiary);
        const nlt::RunTimes &times = run.record->Times();
        ASSERT_EQ(times.Count(), 1U);
        EXPECT_EQ(std::pair(times.Level(0), times.LastMs()), std::pair(6, std::int64_t{4500}));
        EXPECT_EQ(run.bestQuestionScore, bestAfter);
        EXPECT_EQ(run.totalScore, totalAfter);
        // The run's record keeps the question as shown with the answer given and
        // its test, unless it was moved on unscored, neither right nor wrong.
        const bool kept = value == given || next == Ends;
        ASSERT_EQ(run.record->Questions().size(), kept ? 1U : 0U);
        if (kept) {
            const nlt::AnsweredQuestion &question = run.record->Questions()[0];
            EXPECT_EQ(std::tie(question.text, question.given, question.binary), std::tuple("(1 Or 2) And 0", given, false));
        }
        if (next == Ends) {
            const auto *ended = std::get_if<FinishedRun>(&outcome);
            ASSERT_NE(ended, nullptr);
            EXPECT_EQ(ended->record, run.record);
            EXPECT_EQ(std::tie(ended->bestQuestionScore, ended->totalScore, ended->level, ended->termCount, ended->question,
                          ended->answerGiven, ended->rightAnswer),
                std::tuple(best, total, 7, 4, QStringLiteral("(1 Or 2) And 0"), given, value));
            EXPECT_EQ(run.question.text, "(1 Or 2) And 0");
            // Once ended, the run judges and keeps nothing more, the right answer neither.
            EXPECT_TRUE(std::holds_alternative<RunAlreadyEnded>(controller.answer(value, tertiary)));
            EXPECT_EQ(
                std::tuple(run.record->Questions().size(), run.bestQuestionScore, run.totalScore, int(state.counters.Level)),
                std::tuple(1U, best, total, 7));
        } else {
            // The next question is the run's question on show, built at the counters: level 7 shown, 8 after.
            const auto *built = std::get_if<nlt::Question>(&outcome);
            ASSERT_NE(built, nullptr);
            EXPECT_EQ(std::tuple(built->binary, built->level, int(state.counters.Level), built->worth),
                std::tuple(next == Binary, 7, 8, int(state.counters.QuestionScore)));
            EXPECT_EQ(run.question.text, built->text);
        }
    }
}

} // namespace
