#include <gtest/gtest.h>

#include <QAccessible>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "results/form2.h"
#include "tests/results/windowtest.h"

namespace {

using Form2Test = WindowTest;

template <class T>
T *Child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

TEST_F(Form2Test, ClientAreaIsFixedAndHidesTheProjectedMeanRow)
{
    Form2 *form = ShowForm2();
    EXPECT_EQ(form->size(), QSize(536, 250));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowCloseButtonHint);
    for (const char *name : {"Label8", "Label9"}) {
        EXPECT_GE(Child<QLabel>(form, name)->geometry().top(), form->height()) << name;
    }
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Nested Logic Test Results:-"));
}

TEST_F(Form2Test, WindowExistsAtMostOnce)
{
    Form2 *first = ShowForm2();
    EXPECT_EQ(ShowForm2(), first);
    EXPECT_EQ(LoadedForm2(), first);
    UnloadForm2();
    EXPECT_EQ(LoadedForm2(), nullptr);
    EXPECT_FALSE(first->isVisible());
    FlushDeletes();
    EXPECT_EQ(LiveWindows<Form2>(), 0);
}

// Caption labels: the whole text fits the label and, where "Sit Another
// Test" covers part of the label, the right-aligned text stays clear of it.
class CaptionFitTest : public Form2Test, public testing::WithParamInterface<const char *> {};

TEST_P(CaptionFitTest, TextIsNeitherClippedNorCoveredByTheButton)
{
    Form2 *form = ShowForm2();
    auto *label = Child<QLabel>(form, GetParam());
    ASSERT_NE(label, nullptr);
    label->ensurePolished();
    const QFontMetrics metrics = label->fontMetrics();
    const QRect text = metrics.boundingRect(label->contentsRect(), int(label->alignment()),
                                            label->text());
    EXPECT_TRUE(label->contentsRect().contains(text)) << GetParam();

    const QRect button = Child<QPushButton>(form, "Command2")->geometry();
    const QRect onWindow = text.translated(label->pos());
    EXPECT_FALSE(onWindow.intersects(button)) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionFitTest,
                         testing::Values("Label2", "Label3", "Label4", "Label9"),
                         [](const auto &info) { return std::string(info.param); });

TEST_F(Form2Test, ButtonLiesAboveTheCaptionsItOverlaps)
{
    Form2 *form = ShowForm2();
    auto *button = Child<QPushButton>(form, "Command2");
    for (const char *name : {"Label3", "Label4"}) {
        const QRect overlap = button->geometry() & Child<QLabel>(form, name)->geometry();
        ASSERT_FALSE(overlap.isEmpty()) << name;
        EXPECT_EQ(form->childAt(overlap.center()), button) << name;
    }
}

// Sizes that a whole point size in the form file cannot carry.
struct FontCase {
    const char *name;
    double pointSize;
    bool bold;
};

// Names the case in test output.
void PrintTo(const FontCase &c, std::ostream *os)
{
    *os << c.name;
}

class FractionalFontTest : public Form2Test, public testing::WithParamInterface<FontCase> {};

TEST_P(FractionalFontTest, StyleSizeReachesTheWidgetFont)
{
    Form2 *form = ShowForm2();
    QWidget *widget = Child<QWidget>(form, GetParam().name);
    widget->ensurePolished();
    EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), GetParam().pointSize);
    EXPECT_EQ(widget->font().bold(), GetParam().bold);
    EXPECT_EQ(widget->font().family(), QStringLiteral("MS Sans Serif"));
}

INSTANTIATE_TEST_SUITE_P(Fonts, FractionalFontTest,
                         testing::Values(FontCase{"Command2", 9.75, false},
                                         FontCase{"Label7", 13.5, false},
                                         FontCase{"Label8", 13.5, true}),
                         [](const auto &info) { return std::string(info.param.name); });

// Each value label with the caption label beside it.
struct ValueCase {
    const char *value;
    const char *caption;
};

// Names the case in test output.
void PrintTo(const ValueCase &c, std::ostream *os)
{
    *os << c.value;
}

class ValueLabelTest : public Form2Test, public testing::WithParamInterface<ValueCase> {};

TEST_P(ValueLabelTest, EmptyAtLoadAndDescribedByItsCaption)
{
    Form2 *form = ShowForm2();
    auto *value = Child<QLabel>(form, GetParam().value);
    auto *caption = Child<QLabel>(form, GetParam().caption);
    EXPECT_TRUE(value->text().isEmpty());
    EXPECT_TRUE(value->accessibleName().isEmpty());
    EXPECT_EQ(value->frameShape(), QFrame::Box);
    EXPECT_TRUE(value->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(caption->alignment() & Qt::AlignRight);
    const QString captionWords = caption->text().trimmed().chopped(1);
    EXPECT_EQ(value->accessibleDescription(), captionWords);
}

TEST_P(ValueLabelTest, ScreenReaderReadsTheNumberShown)
{
    Form2 *form = ShowForm2();
    form->setFigures(nlt::ComputeRunFigures(500, 1200, 5));
    auto *value = Child<QLabel>(form, GetParam().value);
    ASSERT_FALSE(value->text().isEmpty());
    EXPECT_EQ(value->accessibleName(), value->text());
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(value);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), value->text());
}

INSTANTIATE_TEST_SUITE_P(Values, ValueLabelTest,
                         testing::Values(ValueCase{"Label5", "Label2"},
                                         ValueCase{"Label6", "Label4"},
                                         ValueCase{"Label7", "Label3"},
                                         ValueCase{"Label8", "Label9"}),
                         [](const auto &info) { return std::string(info.param.value); });

TEST_F(Form2Test, EveryControlHasAnAccessibleDescription)
{
    Form2 *form = ShowForm2();
    for (QWidget *child : form->findChildren<QWidget *>()) {
        if (child->objectName().startsWith(QLatin1String("Label")) || child->inherits("QAbstractButton")
            || child->objectName() == QLatin1String("Frame1")) {
            EXPECT_FALSE(child->accessibleDescription().isEmpty()) << qPrintable(child->objectName());
        }
    }
}

// A close request and what must follow: the program ends, the window stays,
// or the window unloads quietly.
struct CloseCase {
    const char *name;
    CloseReason reason;
    bool mayClose;
    int programEnds;
};

// Names the case in test output.
void PrintTo(const CloseCase &c, std::ostream *os)
{
    *os << c.name;
}

class Form2CloseTest : public Form2Test, public testing::WithParamInterface<CloseCase> {};

TEST_P(Form2CloseTest, FollowsTheCloseRule)
{
    Form2 *form = ShowForm2();
    EXPECT_EQ(form->queryUnload(GetParam().reason), GetParam().mayClose);
    EXPECT_EQ(programEnds_, GetParam().programEnds);
}

INSTANTIATE_TEST_SUITE_P(
    Closing, Form2CloseTest,
    testing::Values(CloseCase{"CloseBoxEndsProgram", CloseReason::User, true, 1},
                    CloseCase{"ProgramUnloads", CloseReason::Program, true, 0},
                    CloseCase{"ShutdownRefused", CloseReason::SystemShutdown, false, 0},
                    CloseCase{"TerminationEndsProgram", CloseReason::TaskManager, true, 1},
                    CloseCase{"ParentClosingUnloads", CloseReason::ParentClosing, true, 0},
                    CloseCase{"OwnerClosingUnloads", CloseReason::OwnerClosing, true, 0}),
    [](const testing::TestParamInfo<CloseCase> &info) { return std::string(info.param.name); });

TEST_F(Form2Test, CloseBoxEndsTheProgram)
{
    Form2 *form = ShowForm2();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    // The window system's close request reaches the native window first,
    // which hands it on to the widget as spontaneous.
    QCloseEvent request;
    QCoreApplication::sendEvent(form->windowHandle(), &request);
    EXPECT_EQ(programEnds_, 1);
    EXPECT_FALSE(form->isVisible());
}

} // namespace
