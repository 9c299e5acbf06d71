#pragma once

#include <QAbstractButton>
#include <QCloseEvent>
#include <QWindow>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "engine/random.h"
#include "testwindow/form1.h"
#include "testwindow/session.h"

// Runs a fresh main window through the real session and generators, with a
// seeded random source and an observable program end.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestSession &session = TestSession::instance();
        session.unloadForm1();
        FlushDeletes();
        session.counters() = {};
        session.setRandomSource(std::make_unique<nlt::SeededRandomSource>(20260612));
        session.setProgramEndHandler([this] { ++programEnds; });
        form = session.showForm1();
        ASSERT_NE(form, nullptr);
    }

    void TearDown() override
    {
        QObject::disconnect(&TestSession::instance(), &TestSession::runEnded, nullptr, nullptr);
        TestSession::instance().unloadForm1();
        FlushDeletes();
    }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // A control of the window by its object name.
    template <typename T = QWidget> T *Control(const char *name) const
    {
        T *child = form->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QAbstractButton *Button(const char *name) const { return Control<QAbstractButton>(name); }
    QPlainTextEdit *Text1() const { return Control<QPlainTextEdit>("Text1"); }

    // Makes the window the active one, as shortcuts need.
    void Activate()
    {
        QApplication::setActiveWindow(form);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    }

    // Presses the window's close box: the window system's close request
    // reaches the native window first, which hands it on as spontaneous.
    void PressCloseBox()
    {
        QCloseEvent request;
        QCoreApplication::sendEvent(form->windowHandle(), &request);
    }

    // Clicks a control as the user would.
    static void Click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    Form1 *form = nullptr;
    int programEnds = 0;
};
