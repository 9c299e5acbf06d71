#include <QClipboard>
#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <tuple>

#include "../designtable.h"
#include "windowfixture.h"

namespace {

const QString kTertiaryTitle = QStringLiteral("Zentrix Raw Processing Power Tertiary Nested Logic Test Level: ");

TEST_F(WindowTest, LoadShowsTheFirstQuestionActive)
{
    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    EXPECT_EQ(form->windowTitle(), kTertiaryTitle + "0");
    for (const char *name : {"Command2", "Command3", "Command5", "Command4"})
        EXPECT_TRUE(Control(name)->isEnabled()) << name;
    EXPECT_TRUE(Control("Option1")->isChecked());
    EXPECT_EQ(Text1()->toPlainText(), QString::fromStdString(form->run().question.text));
}

TEST_F(WindowTest, ControlsHaveTheirDesignValues)
{
    const DesignedControl design[] = {
        {"Text1", nullptr, 120, 120, 7815, 1755, 9.75, false},
        {"Option1", "Tertiary Logic", 120, 2160, 1815, 255, 0, false},
        {"Option2", "Binary Logic", 120, 2400, 1815, 255, 0, false},
        {"Command4", "Help", 2040, 2160, 975, 495, 18, false},
        {"Command5", "Unknown", 3120, 2160, 1695, 495, 18, false},
        {"Command2", "True", 4920, 2160, 1455, 495, 18, false},
        {"Command3", "False", 6480, 2160, 1455, 495, 18, false},
        {"Label2", "No Calculators, No Pen and Paper, All answers to be computed mentally", 120, 2760, 7815, 375, 12, false},
        {"Command1", "Command1", 1140, 3600, 1215, 495, 0, false},
        {"Frame1", nullptr, 3480, 3240, 4455, 1815, 12, true},
        {"Picture1", nullptr, 120, 333, 4215, 1335, 0, false},
        {"Image1", nullptr, 0, -111, 4155, 1700, 0, false},
    };
    ExpectDesign(form, QSize(536, 341), design);
    EXPECT_FALSE(Control("Command1")->isVisible());
    EXPECT_EQ(TabOrder(Text1()),
        QStringList({"Text1", "Command2", "Command3", "Command4", "Command5", "Option1", "Option2"}));
    // Red 192 on olive: sampled from the label as drawn, left of its centred text.
    const QImage label2 = Control<QLabel>("Label2")->grab().toImage();
    EXPECT_EQ(label2.pixelColor(4, label2.height() / 2), QColor(192, 192, 0));
    EXPECT_EQ(Control<QLabel>("Label2")->palette().color(QPalette::WindowText), QColor(192, 0, 0));
}

// Every printable character of the windows' font, at the sizes the windows
// use, comes from an outline face and draws ink: under wine, GDI once lost the
// capital I of the review's 8-point text, and Windows' own "MS Sans Serif" is
// a bitmap face that does not scale.
TEST(ProgramFont, EveryCharacterOfTheWindowsFontDrawsInOutline)
{
    // The point size (0: the application's own, which the review takes) and whether bold.
    const std::pair<qreal, bool> sizes[] = {{0, false}, {8.25, false}, {9.75, false}, {9.75, true}, {12, true},
        {13.5, false}, {18, false}};
    for (const auto &[points, bold] : sizes) {
        QLabel label;
        QFont asked(QStringLiteral("MS Sans Serif"));
        asked.setPointSizeF(points > 0 ? points : QApplication::font().pointSizeF());
        asked.setBold(bold);
        label.setFont(asked);
        const QFont font = label.font();
        const QFontInfo info(font);
        EXPECT_TRUE(QFontDatabase::isSmoothlyScalable(info.family(), info.styleName())) << info.family().toStdString();
        QImage blank(48, 48, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QString empty;
        for (char16_t c = '!'; c <= '~'; ++c) {
            QImage image = blank;
            QPainter painter(&image);
            painter.setFont(font);
            painter.drawText(12, 32, QString(QChar(c)));
            painter.end();
            if (image == blank)
                empty += QChar(c);
        }
        EXPECT_EQ(empty, QString()) << points << (bold ? " bold in " : " in ") << info.family().toStdString();
    }
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
        for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_End, Qt::Key_Backspace})
            QTest::keyClick(text1, key);
        if (readOnly) {
            QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(text1, Qt::Key_Delete);
        }
        EXPECT_EQ(text1->toPlainText(), before) << "read-only " << readOnly;
    }
}

// Which button each key presses, with the focus on a given control, enabled or
// not: digits from anywhere, letters only with Alt, Return and Enter the focused button.
TEST_F(WindowTest, KeysPressTheirButtonsOnlyWhileEnabled)
{
    const char *buttons[] = {"Command2", "Command3", "Command5", "Command4"};
    for (const char *name : buttons)
        QObject::disconnect(Control(name), &QAbstractButton::clicked, form, nullptr);
    Activate();
    const auto K = Qt::KeypadModifier, A = Qt::AltModifier;
    // The key, its modifiers, the control with the focus and the button pressed (nullptr: none).
    // clang-format off
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char *, const char *> cases[] = {
        {Qt::Key_1, {}, "Text1", "Command2"}, {Qt::Key_1, K, "Option1", "Command2"}, {Qt::Key_T, A, "Text1", "Command2"},
        {Qt::Key_T, {}, "Text1", nullptr}, {Qt::Key_2, {}, "Command4", "Command3"}, {Qt::Key_2, K, "Text1", "Command3"},
        {Qt::Key_F, A, "Option2", "Command3"}, {Qt::Key_F, {}, "Command2", nullptr}, {Qt::Key_0, {}, "Text1", "Command5"},
        {Qt::Key_0, K, "Text1", "Command5"}, {Qt::Key_U, A, "Text1", "Command5"}, {Qt::Key_U, {}, "Text1", nullptr},
        {Qt::Key_F1, {}, "Text1", "Command4"}, {Qt::Key_Return, {}, "Command3", "Command3"},
        {Qt::Key_Enter, K, "Command5", "Command5"}, {Qt::Key_Return, {}, "Command4", "Command4"},
        {Qt::Key_Space, {}, "Command2", "Command2"}, {Qt::Key_Return, {}, "Text1", nullptr},
    };
    // clang-format on
    for (const auto &[key, modifiers, focus, pressed] : cases) {
        SCOPED_TRACE(QKeySequence(key | modifiers).toString().toStdString() + " on " + focus);
        for (const bool enabled : {false, true}) {
            // A disabled button cannot hold the focus that Return would press.
            if (!enabled && pressed && QByteArray(focus) == pressed)
                continue;
            std::vector<std::unique_ptr<QSignalSpy>> clicks;
            for (const char *name : buttons) {
                Control(name)->setEnabled(!pressed || name != QByteArray(pressed) || enabled);
                clicks.push_back(std::make_unique<QSignalSpy>(Control(name), &QAbstractButton::clicked));
            }
            Control<QWidget>(focus)->setFocus();
            QTest::keyClick(Control<QWidget>(focus), key, modifiers);
            for (std::size_t b = 0; b < std::size(buttons); ++b) {
                const bool expected = enabled && pressed && buttons[b] == QByteArray(pressed);
                EXPECT_EQ(clicks[b]->count(), expected ? 1 : 0) << buttons[b] << " enabled " << enabled;
            }
        }
    }
}

// After an answer, by mouse or key and from wherever the focus was, the focus
// rests on the button that answered, never on Help or a mode option.
TEST_F(WindowTest, FocusReturnsToTheButtonThatAnswered)
{
    Activate();
    // The answer on show, its button, the key pressed (Qt::Key_unknown: a mouse click) and the focus before.
    const std::tuple<char, const char *, Qt::Key, const char *> cases[] = {{'1', "Command2", Qt::Key_unknown, "Text1"},
        {'2', "Command3", Qt::Key_unknown, "Command2"}, {'0', "Command5", Qt::Key_unknown, "Text1"},
        {'1', "Command2", Qt::Key_1, "Command4"}, {'2', "Command3", Qt::Key_Return, "Command3"},
        {'0', "Command5", Qt::Key_0, "Option1"}};
    for (const auto &[answer, button, key, focusBefore] : cases) {
        SCOPED_TRACE(std::string(button) + " from " + focusBefore);
        ASSERT_NO_FATAL_FAILURE(AnswerUntil(answer));
        const std::string question = form->run().question.text;
        Control<QWidget>(focusBefore)->setFocus();
        key == Qt::Key_unknown ? Click(form, button) : QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_NE(form->run().question.text, question);
        EXPECT_EQ(QApplication::focusWidget(), Control(button));
    }
}

} // namespace
