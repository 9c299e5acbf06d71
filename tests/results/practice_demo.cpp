// Shows the practice window on "Nand" read as "And" in the three-valued test
// until it is closed, for screenshots, answered by a person with that reading:
// at its first expression, at the first wrong answer with its feedback, or at
// its end. With --time, opens it twenty times from the clock, prints the
// slowest opening (to the first expression on show) and the slowest step to
// the next expression, and quits.
//   practice_demo [question|wrong|end|--time]
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <cstdio>

#include "results/practicewindow.h"
#include "tests/reference/simulated_person.h"

namespace {

// Answers the drill as the person would, up to the first wrong answer (stopAtWrong) or to its end.
void Play(PracticeWindow &drill, bool stopAtWrong)
{
    const nlt::test::Person reader = nlt::test::Person::With(nlt::test::Person::Rule::Word, "Nand", "And");
    for (int i = 0; i < 10; ++i) {
        const std::string text = drill.findChild<QLabel *>("expressionLabel")->accessibleName().toStdString();
        const char given = reader.Work(text);
        drill.findChild<QPushButton *>(given == '1' ? "practiseTrue" : given == '2' ? "practiseFalse" : "practiseUnknown")
            ->click();
        if (stopAtWrong && given != nlt::test::Person{}.Work(text))
            return;
        drill.findChild<QPushButton *>("nextButton")->click();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString stage = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("question");
    nlt::Cause cause;
    cause.kind = nlt::CauseKind::WordAsWord;
    cause.word = nlt::Operator::Nand;
    cause.readAs = nlt::Operator::And;
    if (stage == QLatin1String("--time")) {
        qint64 open = 0, next = 0;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer timer;
            timer.start();
            auto *drill = new PracticeWindow(cause, false, nullptr);
            drill->show();
            QApplication::processEvents();
            open = std::max(open, timer.nsecsElapsed());
            drill->findChild<QPushButton *>("practiseTrue")->click();
            timer.restart();
            drill->findChild<QPushButton *>("nextButton")->click();
            QApplication::processEvents();
            next = std::max(next, timer.nsecsElapsed());
            delete drill;
        }
        std::printf("slowest of 20: opening %.2f ms, next expression %.2f ms\n", open / 1e6, next / 1e6);
        return 0;
    }
    PracticeWindow drill(cause, false, nullptr, std::make_unique<nlt::SeededRandomSource>(11));
    drill.setAttribute(Qt::WA_DeleteOnClose, false);
    drill.show();
    if (stage != QLatin1String("question"))
        Play(drill, stage == QLatin1String("wrong"));
    return QApplication::exec();
}
