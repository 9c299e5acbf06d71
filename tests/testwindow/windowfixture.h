#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

#include "engine/random.h"
#include "testwindow/form1.h"
#include "testwindow/programend.h"
#include "testwindow/session.h"

// Lets failing checks show texts as text rather than as bytes.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

// A clock that stands still until the test moves it.
struct FakeClock final : nlt::MonotonicClock {
    explicit FakeClock(std::int64_t *now) : now(now) {}
    std::int64_t NowMs() override { return *now; }
    std::int64_t *now;
};

// A window's named child; a failure where there is none.
template <typename T = QAbstractButton> T *Child(const QWidget *window, const char *name)
{
    T *child = window->findChild<T *>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// A mouse click on a window's named control, enabled or not.
inline void Click(QWidget *window, const char *name)
{
    if (QWidget *control = Child<QWidget>(window, name))
        QTest::mouseClick(control, Qt::LeftButton);
}

// Clicks the button for the stored answer, or a wrong one. A "0" question is
// answered under "Tertiary Logic", since "Binary Logic" moves it on unscored.
inline void Answer(Form1 *form, bool right = true)
{
    const char answer = form->run().question.value;
    if (answer == '0')
        Click(form, "Option1");
    Click(form, answer == '0' && right ? "Command5" : (answer == '1') == right ? "Command2" : "Command3");
}

// A fresh session per test with a seeded random source and an observable
// program end, and its main window through the real generators.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        end.setEndHandler([this] { ++programEnds; });
        form = session.showForm1();
    }

    void TearDown() override
    {
        session.unloadForm1();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <typename T = QAbstractButton> T *Control(const char *name) const { return Child<T>(form, name); }
    QPlainTextEdit *Text1() const { return Control<QPlainTextEdit>("Text1"); }

    // Answers right until the question on show has the given answer.
    void AnswerUntil(char answer)
    {
        for (int i = 0; i < 100 && form->run().question.value != answer; ++i)
            Answer(form);
        ASSERT_EQ(form->run().question.value, answer);
    }

    void Activate()
    {
        QApplication::setActiveWindow(form);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    }

    int programEnds = 0;
    ProgramEnd end;
    TestSession session{end, std::make_unique<nlt::SeededRandomSource>(20260612)};
    Form1 *form = nullptr;
};
