// Shows the practice window on "Nand" read as "And" in the three-valued test
// until it is closed, for screenshots, answered by a person with that reading:
// at its first expression, at a wrong answer with its feedback, or at
// its end. With --time, opens it twenty times from the clock, prints the
// first opening (to the first expression on show) and the slowest of the
// others, and the slowest step to the next expression, and quits.
//   practice_demo [question|wrong|end|--time]
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <cstdio>

#include "results/practicewindow.h"
#include "tests/reference/simulated_person.h"

namespace {

// Answers the drill as the person would, up to the first wrong answer to an
// expression with parentheses (stopAtWrong) or to its end.
void Play(PracticeWindow &drill, bool stopAtWrong)
{
    const nlt::test::Person reader = nlt::test::Person::With(nlt::test::Person::Rule::Word, "Nand", "And");
    for (int i = 0; i < 10; ++i) {
        const std::string text = drill.findChild<QLabel *>("expressionLabel")->accessibleName().toStdString();
        const char given = reader.Work(text);
        drill.findChild<QPushButton *>(given == '1'   ? "practiseTrue"
                                       : given == '2' ? "practiseFalse"
                                                      : "practiseUnknown")
            ->click();
        if (stopAtWrong && given != nlt::test::Person{}.Work(text) && text.find('(') != std::string::npos)
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
        qint64 first = 0, open = 0, next = 0;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer timer;
            timer.start();
            auto *drill = new PracticeWindow(cause, false, nullptr);
            drill->show();
            QApplication::processEvents();
            (i == 0 ? first : open) = std::max(open, timer.nsecsElapsed());
            drill->findChild<QPushButton *>("practiseTrue")->click();
            timer.restart();
            drill->findChild<QPushButton *>("nextButton")->click();
            QApplication::processEvents();
            next = std::max(next, timer.nsecsElapsed());
            delete drill;
        }
        std::printf("opening: first %.2f ms, slowest of the next 19 %.2f ms; next expression: slowest %.2f ms\n",
            first / 1e6, open / 1e6, next / 1e6);
        return 0;
    }
    PracticeWindow drill(cause, false, nullptr, std::make_unique<nlt::SeededRandomSource>(11));
    drill.setAttribute(Qt::WA_DeleteOnClose, false);
    drill.show();
    if (stage != QLatin1String("question"))
        Play(drill, stage == QLatin1String("wrong"));
    return QApplication::exec();
}
