#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>
#include <csignal>

#include "qtprinters.h"
#include "windowfixture.h"

namespace {

const QString kTertiaryTitle = QStringLiteral("Zentrix Raw Processing Power Tertiary Nested Logic Test Level: ");
const QString kBinaryTitle = QStringLiteral("Zentrix Raw Processing Power Binary Nested Logic Test Level: ");

using Form1Load = WindowTest;

TEST_F(Form1Load, ShowsTheFirstQuestionCentred)
{
    EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "0");
    EXPECT_TRUE(Control<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>("Option2")->isChecked());
    for (const char *name : {"Command2", "Command3", "Command5", "Command4"}) {
        EXPECT_TRUE(Button(name)->isEnabled()) << name;
    }
    const QString text = Text1()->toPlainText();
    EXPECT_FALSE(text.isEmpty());
    EXPECT_NE(text, "Text1");
    EXPECT_TRUE(QStringList({"0", "1", "2"}).contains(form->correctAnswer()));
    EXPECT_TRUE(form->bestQuestionScore().isEmpty());
    EXPECT_TRUE(form->totalScore().isEmpty());
    EXPECT_TRUE(form->isVisible());
    const QPoint centre = form->screen()->availableGeometry().center();
    EXPECT_LE((form->frameGeometry().center() - centre).manhattanLength(), 1);
}

TEST_F(Form1Load, EveryLoadStartsFromTheDesignValues)
{
    Click(Control("Option2"));
    form->setTotalScore("500");
    form->setBestQuestionScore("300");
    const QPointer<Form1> old = form;
    TestSession::instance().unloadForm1();
    EXPECT_EQ(TestSession::instance().form1(), nullptr);
    EXPECT_FALSE(old->isVisible());
    form = TestSession::instance().showForm1();
    ASSERT_NE(form, old.data());
    FlushDeletes();
    EXPECT_TRUE(old.isNull());
    EXPECT_TRUE(Control<QRadioButton>("Option1")->isChecked());
    EXPECT_TRUE(Button("Command5")->isEnabled());
    EXPECT_TRUE(form->totalScore().isEmpty());
    EXPECT_TRUE(form->bestQuestionScore().isEmpty());
    // The level is carried over: the second load shows level 1.
    EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "1");
    EXPECT_EQ(TestSession::instance().counters().Level, 2);
    EXPECT_EQ(TestSession::instance().counters().TermCount, 1);
}

// The window as designed, before a load has built a question.
TEST(Form1Design, StartsFromTheDesignValues)
{
    int runsEnded = 0;
    Form1 form(RunServices{
        [&]() -> nlt::TestCounters & { return TestSession::instance().counters(); },
        [&]() -> nlt::RandomSource & { return TestSession::instance().random(); },
        [&] { ++runsEnded; },
    });
    EXPECT_EQ(form.windowTitle(), "Zentrix Raw Processing Power Nested Logic Test");
    EXPECT_EQ(form.findChild<QPlainTextEdit *>("Text1")->toPlainText(), "Text1");
    EXPECT_TRUE(form.correctAnswer().isEmpty());
    EXPECT_TRUE(form.bestQuestionScore().isEmpty());
    EXPECT_TRUE(form.totalScore().isEmpty());
    EXPECT_TRUE(form.TertiarySelected());
    for (const char *name : {"Command2", "Command3", "Command4", "Command5", "Option1", "Option2"}) {
        EXPECT_TRUE(form.findChild<QWidget *>(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(form.findChild<QWidget *>("Command1")->isVisibleTo(&form));
    EXPECT_EQ(runsEnded, 0);
}

struct ControlGeometry {
    const char *name;
    QRect rect;
    const char *parent;
};

void PrintTo(const ControlGeometry &c, std::ostream *out)
{
    *out << c.name;
}

class Form1Layout : public WindowTest, public ::testing::WithParamInterface<ControlGeometry> {};

TEST_P(Form1Layout, PlacesEachControl)
{
    QWidget *control = Control(GetParam().name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), GetParam().rect);
    EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(GetParam().parent));
    EXPECT_FALSE(control->accessibleName().isEmpty());
    EXPECT_FALSE(control->accessibleDescription().isEmpty());
}

// Positions in twips / 15, relative to the parent.
INSTANTIATE_TEST_SUITE_P(Controls, Form1Layout,
                         ::testing::Values(ControlGeometry{"Text1", {8, 8, 521, 117}, "Form1"},
                                           ControlGeometry{"Option1", {8, 144, 121, 17}, "Form1"},
                                           ControlGeometry{"Option2", {8, 160, 121, 17}, "Form1"},
                                           ControlGeometry{"Command4", {136, 144, 65, 33}, "Form1"},
                                           ControlGeometry{"Command5", {208, 144, 113, 33}, "Form1"},
                                           ControlGeometry{"Command2", {328, 144, 97, 33}, "Form1"},
                                           ControlGeometry{"Command3", {432, 144, 97, 33}, "Form1"},
                                           ControlGeometry{"Label2", {8, 184, 521, 25}, "Form1"},
                                           ControlGeometry{"Command1", {76, 240, 81, 33}, "Form1"},
                                           ControlGeometry{"Frame1", {232, 216, 297, 121}, "Form1"},
                                           ControlGeometry{"Picture1", {8, 22, 281, 89}, "Frame1"},
                                           ControlGeometry{"Image1", {0, -7, 277, 113}, "Picture1"}));

TEST_F(WindowTest, WindowIsFixedWithCloseBoxOnly)
{
    EXPECT_EQ(form->size(), QSize(536, 341));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(Button("Command1")->isVisible());
    EXPECT_EQ(Text1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(Control<QLabel>("Image1")->pixmap().isNull());
}

struct FontCase {
    const char *name;
    double points;
    bool bold;
};

void PrintTo(const FontCase &c, std::ostream *out)
{
    *out << c.name;
}

class Form1Fonts : public WindowTest, public ::testing::WithParamInterface<FontCase> {};

TEST_P(Form1Fonts, UseTheDesignFonts)
{
    const QFont font = Control(GetParam().name)->font();
    EXPECT_EQ(font.family(), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(font.pointSizeF(), GetParam().points);
    EXPECT_EQ(font.bold(), GetParam().bold);
}

INSTANTIATE_TEST_SUITE_P(Controls, Form1Fonts,
                         ::testing::Values(FontCase{"Text1", 9.75, false}, FontCase{"Command2", 18, false},
                                           FontCase{"Command3", 18, false}, FontCase{"Command4", 18, false},
                                           FontCase{"Command5", 18, false}, FontCase{"Label2", 12, false},
                                           FontCase{"Frame1", 12, true}));

TEST_F(WindowTest, TabOrderFollowsTheTabIndexes)
{
    const QStringList expected{"Text1", "Command2", "Command3", "Command4", "Command5", "Option1", "Option2"};
    QStringList order;
    QWidget *widget = Text1();
    do {
        if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus)) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != Text1() && order.size() < 20);
    EXPECT_EQ(order, expected);
}

// Keys that are no shortcut, typed into the expression box.
TEST_F(WindowTest, TypingIntoTheExpressionChangesNothing)
{
    Activate();
    QPlainTextEdit *text1 = Text1();
    text1->setFocus();
    const QString before = text1->toPlainText();
    QTest::keyClicks(text1, "abcxyz ()3456789+-*/");
    for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Space, Qt::Key_End,
                              Qt::Key_Backspace, Qt::Key_Delete}) {
        QTest::keyClick(text1, key);
    }
    EXPECT_EQ(text1->toPlainText(), before);

    // With read-only off, the key filter alone holds back every character,
    // the backspace included.
    text1->setReadOnly(false);
    QTest::keyClicks(text1, "abcxyz ()3456789+-*/");
    for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_End, Qt::Key_Backspace}) {
        QTest::keyClick(text1, key);
    }
    EXPECT_EQ(text1->toPlainText(), before);
    text1->setReadOnly(true);
}

TEST_F(WindowTest, PastingChangesNothingButCopyWorks)
{
    Activate();
    QPlainTextEdit *text1 = Text1();
    text1->setFocus();
    const QString before = text1->toPlainText();
    QApplication::clipboard()->setText(QStringLiteral("1 And 2"));
    QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
    text1->paste();
    EXPECT_EQ(text1->toPlainText(), before);

    text1->selectAll();
    text1->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), before);
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

class Form1Shortcuts : public WindowTest, public ::testing::WithParamInterface<ShortcutCase> {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // Help would start a viewer; only its click is counted here.
        QObject::disconnect(Button("Command4"), &QAbstractButton::clicked, form, nullptr);
        Activate();
    }

    int Press()
    {
        QAbstractButton *button = Button(GetParam().button);
        QSignalSpy clicks(button, &QAbstractButton::clicked);
        QWidget *focus = Control(GetParam().focus);
        focus->setFocus();
        const QString before = Text1()->toPlainText();
        QTest::keyClick(focus, GetParam().key);
        if (!button->isEnabled()) {
            EXPECT_EQ(Text1()->toPlainText(), before);
        }
        return static_cast<int>(clicks.count());
    }
};

TEST_P(Form1Shortcuts, PressTheEnabledButton)
{
    QSignalSpy ended(&TestSession::instance(), &TestSession::runEnded);
    EXPECT_EQ(Press(), 1);
    if (QByteArray(GetParam().button) == "Command4") {
        EXPECT_EQ(ended.count(), 0);
    }
}

TEST_P(Form1Shortcuts, DoNothingWhileTheButtonIsDisabled)
{
    form->DisableAnswerButtons();
    Button("Command4")->setEnabled(false);
    QSignalSpy ended(&TestSession::instance(), &TestSession::runEnded);
    EXPECT_EQ(Press(), 0);
    EXPECT_EQ(ended.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Form1Shortcuts,
    ::testing::Values(ShortcutCase{Qt::Key_1, "Command2", "Text1"}, ShortcutCase{Qt::Key_T, "Command2", "Text1"},
                      ShortcutCase{Qt::Key_2, "Command3", "Text1"}, ShortcutCase{Qt::Key_F, "Command3", "Option1"},
                      ShortcutCase{Qt::Key_0, "Command5", "Text1"}, ShortcutCase{Qt::Key_U, "Command5", "Command2"},
                      ShortcutCase{Qt::Key_F1, "Command4", "Text1"}, ShortcutCase{Qt::Key_1, "Command2", "Command3"}));

TEST_F(WindowTest, AnswerButtonsNameTheirKeys)
{
    const struct {
        const char *button;
        QStringList keys;
    } cases[] = {{"Command2", {"1", "T"}}, {"Command3", {"2", "F"}}, {"Command5", {"0", "U"}}, {"Command4", {"F1"}}};
    for (const auto &c : cases) {
        for (const QString &key : c.keys) {
            EXPECT_TRUE(Button(c.button)->toolTip().contains(key)) << c.button << " " << key.toStdString();
        }
    }
}

// A screen reader announces the window by its title (with the level) and
// reads the expression itself as the value of the "Expression" box.
TEST_F(WindowTest, ScreenReadersGetTitleAndExpression)
{
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->text(QAccessible::Name), form->windowTitle());
    QAccessibleInterface *text1 = QAccessible::queryAccessibleInterface(Text1());
    ASSERT_NE(text1, nullptr);
    EXPECT_EQ(text1->text(QAccessible::Name), "Expression");
    EXPECT_FALSE(text1->text(QAccessible::Description).isEmpty());
    EXPECT_EQ(text1->text(QAccessible::Value), Text1()->toPlainText());
}

} // namespace
