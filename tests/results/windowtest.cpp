#include "tests/results/windowtest.h"

#include <QAbstractButton>
#include <QTest>

#include "results/form2.h"
#include "testwindow/form1.h"
#include "testwindow/session.h"

namespace {

// One seed for every window test, so each run replays the same questions.
constexpr std::uint64_t kSeed = 20240611;

} // namespace

void WindowTest::SetUp()
{
    savedLocale_ = QLocale();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TestSession &session = TestSession::instance();
    session.setRandomSource(std::make_unique<nlt::SeededRandomSource>(kSeed));
    session.setProgramEndHandler([this] { ++programEnds_; });
    session.counters() = nlt::TestCounters{};
}

void WindowTest::TearDown()
{
    UnloadForm2();
    TestSession::instance().unloadForm1();
    FlushDeletes();
    EXPECT_EQ(LiveWindows<Form1>(), 0);
    EXPECT_EQ(LiveWindows<Form2>(), 0);
    TestSession::instance().setProgramEndHandler([] {});
    QLocale::setDefault(savedLocale_);
}

void WindowTest::FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void WindowTest::Click(QWidget *window, const char *name)
{
    auto *button = window->findChild<QAbstractButton *>(QLatin1String(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowTest::AnswerRight(Form1 *form)
{
    const QString answer = form->correctAnswer();
    if (answer == QLatin1String("0")) {
        Click(form, "Option1");
        Click(form, "Command5");
    } else {
        Click(form, answer == QLatin1String("1") ? "Command2" : "Command3");
    }
}

void WindowTest::AnswerWrong(Form1 *form)
{
    // In the two-valued test True and False skip a "0" question unscored.
    if (form->correctAnswer() == QLatin1String("0")) {
        Click(form, "Option1");
    }
    Click(form, form->correctAnswer() == QLatin1String("1") ? "Command3" : "Command2");
}
