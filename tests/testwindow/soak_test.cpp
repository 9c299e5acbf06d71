#include <QElapsedTimer>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "windowfixture.h"

namespace {

// Resident memory of this process in kB.
long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("VmRSS:", 0) != 0) {
    }
    return line.empty() ? -1 : std::stol(line.substr(6));
}

// Right answers, question after question, through the real window and
// generators, switching between the two tests now and then.
TEST(Soak, RightAnswersRunOnWithinBounds)
{
    const char *count = std::getenv("NLT_SOAK_QUESTIONS");
    const int questions = count ? std::atoi(count) : 1000;
    constexpr int kCap = 393;     // from this question on the difficulty stays put
    constexpr int kWarmUp = 1000; // resident memory is compared from here on
    ProgramEnd end;
    TestSession session(end, std::make_unique<nlt::SeededRandomSource>(7));
    end.setEndHandler([] { ADD_FAILURE() << "program ended"; });
    int runsEnded = 0, builds = 0;
    QObject::connect(&session, &TestSession::runEnded, [&] { ++runsEnded; });
    Form1 *form = session.showForm1();
    auto *text1 = Child<QPlainTextEdit>(form, "Text1");
    QObject::connect(text1, &QPlainTextEdit::textChanged, [&] { ++builds; });

    nlt::TestCounters atCap{};
    qsizetype longestNearCap = 0;
    qint64 total = 0;
    long warmKb = 0;
    QElapsedTimer clock;
    clock.start();
    for (int q = 1; q <= questions; ++q) {
        const nlt::TestCounters c = session.counters();
        ASSERT_TRUE(c.Level <= 19 && c.QuestionScore > 0 && c.TermCount <= 255) << q;
        const char answer = form->run().question.value;
        const bool binaryQuestion = form->windowTitle().contains("Binary");
        ASSERT_TRUE(answer == '1' || answer == '2' || (answer == '0' && !binaryQuestion)) << q;
        const qsizetype length = text1->toPlainText().size();
        atCap = q == kCap ? c : atCap;
        if (q >= kCap) {
            ASSERT_TRUE(c.TermCount == atCap.TermCount && c.NestingRounds == atCap.NestingRounds) << q;
            longestNearCap = q < kCap + 200 ? std::max(longestNearCap, length) : longestNearCap;
            ASSERT_LE(length, 2 * longestNearCap) << q;
        }
        warmKb = q == kWarmUp ? ResidentKb() : warmKb;
        if (q % 50 == 0)
            Child(form, q % 100 == 0 ? "Option1" : "Option2")->click();
        // True moves a "0" question on, unscored, while "Binary Logic" is selected.
        const bool movesOn = answer == '0' && !form->TertiarySelected();
        QAbstractButton *right = Child(form, answer == '1' || movesOn ? "Command2"
                                             : answer == '2'          ? "Command3"
                                                                      : "Command5");
        // The title names the question's test; Unknown is enabled under "Tertiary Logic" alone.
        ASSERT_TRUE(right->isEnabled() && binaryQuestion == form->run().question.binary
                    && Child(form, "Command5")->isEnabled() == form->TertiarySelected())
            << q;
        total += movesOn ? 0 : c.QuestionScore;
        const int buildsBefore = builds;
        right->click();
        ASSERT_TRUE(builds > buildsBefore && runsEnded == 0) << q;
    }
    EXPECT_EQ(form->run().totalScore, total);
    const long endKb = ResidentKb();
    std::cout << questions << " questions in " << clock.elapsed() << " ms; VmRSS " << warmKb << " kB at question " << kWarmUp
              << ", " << endKb << " kB at the end" << std::endl;
#if !defined(__SANITIZE_ADDRESS__) // the sanitizer's quarantine keeps freed memory resident
    if (questions > kWarmUp) {
        EXPECT_LT(endKb - warmKb, 20 * 1024);
    }
#endif
}

} // namespace
