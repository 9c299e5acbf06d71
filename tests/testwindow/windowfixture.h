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
#include "testwindow/session.h"

// Lets failing checks show texts as text rather than as bytes.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// A fresh main window through the real session and generators, with a seeded
// random source and an observable program end.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestSession &session = TestSession::instance();
        session.counters() = {};
        session.setRandomSource(std::make_unique<nlt::SeededRandomSource>(20260612));
        session.setProgramEndHandler([this] { ++programEnds; });
        form = session.showForm1();
    }

    void TearDown() override
    {
        TestSession::instance().unloadForm1();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void Click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    template <typename T = QAbstractButton> T *Control(const char *name) const
    {
        T *child = form->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QPlainTextEdit *Text1() const { return Control<QPlainTextEdit>("Text1"); }

    // Clicks the right button for the stored answer; True moves a "0"
    // question on (unscored) while "Binary Logic" is selected.
    void AnswerRight()
    {
        const QString answer = form->run().correctAnswer;
        const bool moveOn = answer == "0" && !form->TertiarySelected();
        Click(Control(answer == "1" || moveOn ? "Command2" : answer == "2" ? "Command3" : "Command5"));
    }

    // Answers right until the question on show has the given answer.
    void AnswerUntil(const QString &answer)
    {
        for (int i = 0; i < 100 && form->run().correctAnswer != answer; ++i) {
            AnswerRight();
        }
        ASSERT_EQ(form->run().correctAnswer, answer);
    }

    void Activate()
    {
        QApplication::setActiveWindow(form);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    }

    // The close box: the window system's request reaches the native window
    // first, which hands it on as spontaneous.
    void PressCloseBox()
    {
        QCloseEvent request;
        QCoreApplication::sendEvent(form->windowHandle(), &request);
    }

    Form1 *form = nullptr;
    int programEnds = 0;
};
