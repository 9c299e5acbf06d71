#include <QClipboard>
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
    EXPECT_TRUE(QStringList({"0", "1", "2"}).contains(form->run().correctAnswer));
    EXPECT_NE(Text1()->toPlainText(), "Text1");
    EXPECT_TRUE(form->run().totalScore.isEmpty());

    // The next load starts a new run; only the level carries over.
    form->run().totalScore = "500";
    TestSession::instance().counters() = {9, 500, 7, 5};  // TermCount, QuestionScore, NestingRounds, Level
    TestSession::instance().unloadForm1();
    form = TestSession::instance().showForm1();
    EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "5");
    EXPECT_EQ(int{TestSession::instance().counters().TermCount}, 1);
    EXPECT_TRUE(form->run().totalScore.isEmpty());
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
        for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_End, Qt::Key_Backspace}) {
            QTest::keyClick(text1, key);
        }
        if (readOnly) {
            QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(text1, Qt::Key_Delete);
        }
        EXPECT_EQ(text1->toPlainText(), before) << "read-only " << readOnly;
    }
}

// Each key, pressed with focus on some control, clicks its button only while enabled.
TEST_F(WindowTest, ShortcutsPressOnlyEnabledButtons)
{
    // Help would start a viewer; only its click is counted here.
    QObject::disconnect(Control("Command4"), &QAbstractButton::clicked, form, nullptr);
    Activate();
    const struct {
        Qt::Key key;
        const char *button, *focus;
    } cases[] = {{Qt::Key_1, "Command2", "Text1"},   {Qt::Key_T, "Command2", "Command3"},
                 {Qt::Key_2, "Command3", "Text1"},   {Qt::Key_F, "Command3", "Option1"},
                 {Qt::Key_0, "Command5", "Text1"},   {Qt::Key_U, "Command5", "Command2"},
                 {Qt::Key_F1, "Command4", "Text1"}};
    for (const auto &c : cases) {
        QSignalSpy clicks(Control(c.button), &QAbstractButton::clicked);
        for (const bool enabled : {false, true}) {
            form->DisableAnswerButtons();
            form->EnableAnswerButtons(true);
            Control(c.button)->setEnabled(enabled);
            Control<QWidget>(c.focus)->setFocus();
            QTest::keyClick(Control<QWidget>(c.focus), c.key);
            EXPECT_EQ(clicks.count(), enabled ? 1 : 0) << c.button << " enabled " << enabled;
        }
    }
}

} // namespace
