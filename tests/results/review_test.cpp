#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include "engine/difficulty.h"
#include "engine/generator.h"
#include "engine/random.h"
#include "results/reviewwindow.h"
#include "results/reviewworking.h"

namespace {

// The worked example of the help, whose value is 1.
const char *const kExample = "(0 Maybe 1) For Not (2 Against 0)";

// One review window at a time, opened on a failed question and owned by a
// hidden stand-in for the results window.
class ReviewTest : public testing::Test {
protected:
    void TearDown() override { delete review_; }

    ReviewWindow *Open(const std::string &question, char given)
    {
        delete review_;
        FinishedRun run;
        run.question = QString::fromStdString(question);
        run.answerGiven = QString(QLatin1Char(given));
        review_ = new ReviewWindow(run, &owner_);
        review_->show();
        return review_;
    }

    template <class T>
    T *Get(const char *name) const { return review_->findChild<T *>(QLatin1String(name)); }
    QPlainTextEdit *Box() const { return Get<QPlainTextEdit>("questionBox"); }
    QTreeView *Working() const { return Get<QTreeView>("workingView"); }
    QString Text(const char *label) const { return Get<QLabel>(label)->text(); }
    void Press(const char *button) const { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }

    // Every item of the working, depth first, with its depth.
    std::vector<std::pair<QModelIndex, int>> Items(const QModelIndex &parent = {}, int depth = 0) const
    {
        std::vector<std::pair<QModelIndex, int>> items;
        for (int row = 0; row < Working()->model()->rowCount(parent); ++row) {
            items.emplace_back(Working()->model()->index(row, 0, parent), depth);
            const auto inside = Items(items.back().first, depth + 1);
            items.insert(items.end(), inside.begin(), inside.end());
        }
        return items;
    }

    QStringList Slips() const
    {
        const QAbstractItemModel *model = Get<QListView>("slipsView")->model();
        QStringList sentences;
        for (int row = 0; row < model->rowCount(); ++row)
            sentences << model->index(row, 0).data().toString();
        return sentences;
    }

    QWidget owner_;
    QPointer<ReviewWindow> review_;
};

// The slips of the first rows are worked by hand from the truth tables.
TEST_F(ReviewTest, OpensOnTheFailedQuestionWithBothAnswersAndTheSlips)
{
    const QString had = QStringLiteral("Had \"%1\" been taken as %2, the answer would be %3, as you said.");
    const struct {
        const char *question;
        char given;
        const char *sentence;
        QStringList slips; // none: "No single slip explains your answer."
    } rows[] = {
        {kExample, '0', "You answered Unknown (0). The answer is True (1).",
         {had.arg("Not 2", "0", "Unknown"), had.arg("0 For 1", "0", "Unknown")}},
        {kExample, '2', "You answered False (2). The answer is True (1).",
         {had.arg("0 Maybe 1", "2", "False"), had.arg("2 Against 0", "0", "False"),
          had.arg("2 Against 0", "1", "False"),
          had.arg("Not 2", "2", "False"), had.arg("0 For 1", "2", "False")}},
        {"1 Or 2 And 2", '1', "You answered True (1). The answer is False (2).", {had.arg("1 And 2", "1", "True")}},
        {"Not Not Not 1 And 1", '1', "You answered True (1). The answer is False (2).",
         {had.arg("Not 1", "1", "True"), had.arg("2 And 1", "1", "True")}},
        {"2 Xor 0 And 1", '1', "You answered True (1). The answer is Unknown (0).",
         {had.arg("2 Xor 0", "1", "True"), had.arg("0 And 1", "1", "True")}},
        {"(1)", '2', "You answered False (2). The answer is True (1).", {}},
        {"1 Or 2", '1', "You answered True (1). The answer is True (1).", {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.question);
        Open(row.question, row.given);
        Box()->ensurePolished();
        EXPECT_EQ(Box()->toPlainText(), QLatin1String(row.question));
        EXPECT_TRUE(Box()->isReadOnly());
        EXPECT_EQ(Box()->font().family(), QLatin1String("MS Sans Serif"));
        EXPECT_DOUBLE_EQ(Box()->font().pointSizeF(), 9.75);
        EXPECT_EQ(Text("answerLabel"), QLatin1String(row.sentence));
        EXPECT_EQ(Get<QLabel>("answerLabel")->accessibleName(), QLatin1String(row.sentence));
        EXPECT_FALSE(Get<QLabel>("problemLabel")->isVisible());
        EXPECT_EQ(Slips(), row.slips);
        EXPECT_EQ(Get<QListView>("slipsView")->isVisible(), !row.slips.isEmpty());
        EXPECT_EQ(Get<QLabel>("noSlipLabel")->isVisible(), row.slips.isEmpty());
        EXPECT_EQ(Text("noSlipLabel"),
                  row.slips.isEmpty() ? QStringLiteral("No single slip explains your answer.") : QString());
        EXPECT_TRUE(review_->isWindow());
        EXPECT_EQ(review_->parentWidget(), &owner_);
    }
}

TEST_F(ReviewTest, WorkingIsATreeOfGroupsWithTheSlipStepsMarked)
{
    Open(kExample, '0');
    QStringList labels;
    for (const auto &[item, depth] : Items())
        labels << QString(2 * depth, u' ') + item.data().toString();
    const QStringList expected{
        "(0 Maybe 1) For Not (2 Against 0) = 1",
        "  (0 Maybe 1) = 0",
        "    0 Maybe 1 = 0",
        "  (2 Against 0) = 2",
        "    2 Against 0 = 2",
        "  Not 2 is 1 \u2014 likely slip",
        "  0 For 1 = 1 \u2014 likely slip",
    };
    EXPECT_EQ(labels, expected);
    for (const auto &[item, depth] : Items())
        EXPECT_EQ(item.data(Qt::FontRole).value<QFont>().bold(), item.data().toString().endsWith("slip"));
}

TEST_F(ReviewTest, SelectingAStepOrASlipSelectsExactlyItsTextInTheQuestion)
{
    const struct {
        const char *question;
        const char *label; // the start of the item's label
        const char *selected;
    } rows[] = {
        {kExample, "(0 Maybe 1) = 0", "(0 Maybe 1)"},
        {kExample, "0 Maybe 1 = 0", "0 Maybe 1"},
        {kExample, "Not 2 is 1", "Not (2 Against 0)"},
        {kExample, "0 For 1 = 1", kExample},
        {"1 And Not 0 Or 1", "Not 0 after And counts as 2", "Not 0"},
        {"1 And Not 0 Or 1", "1 And 2 = 2", "1 And Not 0"},
        {"1 And Not 0 Or 1", "2 Or 1 = 1", "Or 1"},
        {"Not 0 Xor 1", "Not 0 before Xor counts as 2", "Not 0"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.label);
        Open(row.question, '0');
        for (const auto &[item, depth] : Items())
            if (item.data().toString().startsWith(QLatin1String(row.label)))
                Working()->setCurrentIndex(item);
        EXPECT_EQ(Box()->textCursor().selectedText(), QLatin1String(row.selected));
        // Shown also while the box has no focus, and underlined besides its colours.
        ASSERT_EQ(Box()->extraSelections().size(), 1);
        EXPECT_EQ(Box()->extraSelections()[0].cursor.selectedText(), QLatin1String(row.selected));
        EXPECT_NE(Box()->extraSelections()[0].format.underlineStyle(), QTextCharFormat::NoUnderline);
    }

    Open(kExample, '0');
    auto *slips = Get<QListView>("slipsView");
    slips->setCurrentIndex(slips->model()->index(0, 0));
    EXPECT_EQ(Working()->currentIndex().data().toString(), QString::fromUtf8("Not 2 is 1 \u2014 likely slip"));
    EXPECT_EQ(Box()->textCursor().selectedText(), QLatin1String("Not (2 Against 0)"));
}

TEST_F(ReviewTest, ALateStepOfALongQuestionScrollsIntoView)
{
    nlt::TestCounters counters{.TermCount = 1};
    for (int q = 1; q < 60; ++q)
        nlt::AdvanceDifficulty(counters);
    nlt::SeededRandomSource random(5);
    Open(nlt::JoinParts(nlt::BuildTertiaryParts(counters, random)), '0');
    ASSERT_TRUE(QTest::qWaitForWindowExposed(review_));
    // The last step of the whole chain stands at the end of the text.
    const QModelIndex outer = Working()->model()->index(0, 0);
    Working()->setCurrentIndex(Working()->model()->index(Working()->model()->rowCount(outer) - 1, 0, outer));
    EXPECT_GT(Box()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(Box()->viewport()->rect().contains(Box()->cursorRect().center()));
}

TEST_F(ReviewTest, StepsAreWordedAsAPersonWorksThem)
{
    using nlt::Operator;
    using nlt::StepKind;
    const struct {
        nlt::Step step;
        const char *text;
    } rows[] = {
        {{.kind = StepKind::Fold, .range = {}, .left = '1', .op = Operator::For, .right = '2', .value = '2'},
         "1 For 2 = 2"},
        {{.kind = StepKind::Fold, .range = {}, .left = '0', .op = Operator::Xagainst, .right = '0', .value = '0'},
         "0 Xagainst 0 = 0"},
        {{.kind = StepKind::NotZero, .range = {}, .op = Operator::For, .operatorBefore = true, .value = '2'},
         "Not 0 after For counts as 2"},
        {{.kind = StepKind::NotZero, .range = {}, .op = Operator::Xand, .operatorBefore = false, .value = '1'},
         "Not 0 before Xand counts as 1"},
        {{.kind = StepKind::Negate, .range = {}, .left = '2', .value = '1'}, "Not 2 is 1"},
        {{.kind = StepKind::Negate, .range = {}, .left = '1', .value = '2'}, "Not 1 is 2"},
        {{.kind = StepKind::CancelNots, .range = {0, 8}}, "Not Not cancels"},
        {{.kind = StepKind::CancelNots, .range = {4, 16}}, "2 pairs of Not cancel"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ReviewWording::StepText(row.step), QString::fromUtf8(row.text));

    const struct {
        std::string group;
        char value;
        const char *label;
    } groups[] = {
        {"(1 And 2)", '2', "(1 And 2) = 2"},
        {std::string(64, '1'), '1', "1111111111111111111111111111111111111111111111111111111111111111 = 1"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcd" + std::string(40, '-') + "0123456789ghijklmnopqrstuvwxyz", '0',
         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcd \u2026 0123456789ghijklmnopqrstuvwxyz = 0"},
    };
    for (const auto &row : groups)
        EXPECT_EQ(ReviewWording::GroupText(row.group, row.value), QString::fromUtf8(row.label));
}

TEST_F(ReviewTest, EditedTextIsWorkedOutAndBadTextExplainedInline)
{
    const struct {
        const char *text;
        const char *answer;
        const char *problem; // empty: none shown
    } rows[] = {
        {"1 Or 2 And 2", "The value is False (2).", ""},
        {"Not 0 Xor 1", "The value is True (1).", ""},
        {"1 And 2 or 1", "No value.",
         "at character 9: \"or\" is not an operator word; operator words begin with a capital letter"},
        {"1 Or", "No value.", "at character 5: the term \"1 Or\" has no value"},
        {"(1 And 2", "No value.", "at character 1: a \"(\" is never closed"},
        {"Not 0", "No value.", "at character 1: \"Not 0\" needs an operator beside it"},
        {"1 And 2 Or 3", "No value.", "at character 12: \"3\" is not a value; the values are 0, 1 and 2"},
        {"", "No value.", "Type an expression to work it out."},
    };
    Open(kExample, '0');
    Press("editButton");
    EXPECT_FALSE(Box()->isReadOnly());
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        Box()->setPlainText(QString::fromUtf8(row.text));
        Press("workOutButton");
        EXPECT_EQ(Text("answerLabel"), QString::fromUtf8(row.answer));
        const bool bad = *row.problem != '\0';
        EXPECT_EQ(Get<QLabel>("problemLabel")->isVisible(), bad);
        if (bad) {
            EXPECT_EQ(Text("problemLabel"), QString::fromUtf8(row.problem));
        }
        EXPECT_EQ(Working()->model()->rowCount() == 0, bad);
        // The slips belong to the failed question alone.
        EXPECT_FALSE(Get<QListView>("slipsView")->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    // Characters are counted, not the bytes of their encoding.
    Box()->setPlainText(QString::fromUtf8("1 And \u00dc"));
    Press("workOutButton");
    EXPECT_TRUE(Text("problemLabel").startsWith(QLatin1String("at character 7: "))) << qPrintable(Text("problemLabel"));
}

TEST_F(ReviewTest, TypingIsWorkedOutWhenItPausesAndTheQuestionIsOneActionAway)
{
    Open(kExample, '0');
    const QStringList slips = Slips();
    Press("editButton");
    Box()->selectAll();
    QTest::keyClicks(Box(), QStringLiteral("2 Xor 0 And 1"));
    QTRY_COMPARE(Text("answerLabel"), QStringLiteral("The value is Unknown (0)."));
    EXPECT_TRUE(Get<QPushButton>("backButton")->isEnabled());

    Press("backButton");
    EXPECT_EQ(Box()->toPlainText(), QLatin1String(kExample));
    EXPECT_TRUE(Box()->isReadOnly());
    EXPECT_FALSE(Get<QPushButton>("editButton")->isChecked());
    EXPECT_EQ(Text("answerLabel"), QStringLiteral("You answered Unknown (0). The answer is True (1)."));
    EXPECT_EQ(Slips(), slips);
    EXPECT_TRUE(Get<QListView>("slipsView")->isVisible());
    EXPECT_FALSE(Get<QPushButton>("backButton")->isEnabled());
}

TEST_F(ReviewTest, WorksFromTheKeyboardAndEscapeClosesWithoutEndingTheProgram)
{
    Open(kExample, '0');
    review_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(review_));
    for (QWidget *widget : review_->findChildren<QWidget *>())
        if (widget->isVisible() && widget->focusPolicy() != Qt::NoFocus) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << qPrintable(widget->objectName());
        }
    Box()->setFocus();
    for (const char *next : {"slipsView", "workingView", "editButton", "workOutButton"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(next));
    }

    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(review_.isNull());
    EXPECT_EQ(lastWindowClosed.count(), 0);
}

} // namespace
