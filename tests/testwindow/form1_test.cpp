#include <QClipboard>
#include <QScreen>
#include <QSignalSpy>

#include "windowfixture.h"

namespace {

const QString kTertiaryTitle = QStringLiteral("Zentrix Raw Processing Power Tertiary Nested Logic Test Level: ");

TEST_F(WindowTest, LoadShowsTheFirstQuestionAndEveryLoadStartsANewRun)
{
    EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "0");
    for (const char *name : {"Command2", "Command3", "Command5", "Command4"}) {
        EXPECT_TRUE(Control(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(Control("Option1")->isChecked());
    EXPECT_TRUE(QStringList({"0", "1", "2"}).contains(form->correctAnswer()));
    EXPECT_NE(Text1()->toPlainText(), "Text1");
    EXPECT_TRUE(form->totalScore().isEmpty());
    const QPoint centre = form->screen()->availableGeometry().center();
    EXPECT_LE((form->frameGeometry().center() - centre).manhattanLength(), 1);

    // The next load resets the run and the window; only the level carries over.
    Click(Control("Option2"));
    form->setTotalScore("500");
    form->setBestQuestionScore("300");
    TestSession::instance().counters() = {9, 500, 7, 5};
    TestSession::instance().unloadForm1();
    form = TestSession::instance().showForm1();
    EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "5");
    EXPECT_EQ(TestSession::instance().counters().TermCount, 1);
    EXPECT_TRUE(Control("Option1")->isChecked());
    EXPECT_TRUE(Control("Command5")->isEnabled());
    EXPECT_TRUE(form->totalScore().isEmpty());
    EXPECT_TRUE(form->bestQuestionScore().isEmpty());
}

// Read-only holds back typing and pasting; the key filter alone holds back
// every character typed, the backspace included.
TEST_F(WindowTest, TypingOrPastingIntoTheExpressionChangesNothing)
{
    Activate();
    QPlainTextEdit *text1 = Text1();
    text1->setFocus();
    const QString before = text1->toPlainText();
    QApplication::clipboard()->setText(QStringLiteral("1 And 2"));
    for (const bool readOnly : {true, false}) {
        text1->setReadOnly(readOnly);
        QTest::keyClicks(text1, "abcxyz ()3456789+-*/");
        for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Space, Qt::Key_End, Qt::Key_Backspace}) {
            QTest::keyClick(text1, key);
        }
        if (readOnly) {
            QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(text1, Qt::Key_Delete);
        }
        EXPECT_EQ(text1->toPlainText(), before) << "read-only " << readOnly;
    }
    text1->setReadOnly(true);
}

struct ShortcutCase {
    Qt::Key key;
    const char *button;
    const char *focus;
};

void PrintTo(const ShortcutCase &c, std::ostream *out)
{
    *out << QKeySequence(c.key).toString().toStdString() << " on " << c.focus << " presses " << c.button;
}

class Shortcuts : public WindowTest, public ::testing::WithParamInterface<ShortcutCase> {};

TEST_P(Shortcuts, PressOnlyAnEnabledButton)
{
    // Help would start a viewer; only its click is counted here.
    QObject::disconnect(Control("Command4"), &QAbstractButton::clicked, form, nullptr);
    Activate();
    QAbstractButton *button = Control(GetParam().button);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    for (const bool enabled : {false, true}) {
        form->DisableAnswerButtons();
        Control("Command4")->setEnabled(false);
        if (enabled) {
            form->EnableAnswerButtons(true);
            Control("Command4")->setEnabled(true);
        }
        Control<QWidget>(GetParam().focus)->setFocus();
        QTest::keyClick(Control<QWidget>(GetParam().focus), GetParam().key);
        EXPECT_EQ(clicks.count(), enabled ? 1 : 0) << "enabled " << enabled;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Shortcuts,
    ::testing::Values(ShortcutCase{Qt::Key_1, "Command2", "Text1"}, ShortcutCase{Qt::Key_T, "Command2", "Command3"},
                      ShortcutCase{Qt::Key_2, "Command3", "Text1"}, ShortcutCase{Qt::Key_F, "Command3", "Option1"},
                      ShortcutCase{Qt::Key_0, "Command5", "Text1"}, ShortcutCase{Qt::Key_U, "Command5", "Command2"},
                      ShortcutCase{Qt::Key_F1, "Command4", "Text1"}));

} // namespace
