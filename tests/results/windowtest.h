#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QString>

class Form1;
class QAbstractButton;

// Base of the window tests: a seeded random source, the counters as at
// program start, no window loaded, English number texts, and a program end
// that is only counted.
class WindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Deletes every window that has been unloaded so far.
    static void FlushDeletes();

    // The number of live top-level widgets of class T.
    template <class T>
    static int LiveWindows()
    {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            count += qobject_cast<T *>(widget) != nullptr ? 1 : 0;
        }
        return count;
    }

    // Clicks a button of a window, found by its object name.
    static void Click(QWidget *window, const char *name);

    // Clicks the answer button that stands for the stored correct answer,
    // first switching to "Tertiary Logic" when the answer is "0".
    static void AnswerRight(Form1 *form);

    // Clicks an enabled answer button that does not match the correct answer.
    static void AnswerWrong(Form1 *form);

    // How many times the program was asked to end.
    int programEnds_ = 0;

private:
    QLocale savedLocale_;
};
