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

// Review windows opened on failed questions, owned by a hidden stand-in for the results window.
class ReviewTest : public testing::Test {
protected:
    ReviewWindow *Open(const char *question, char given)
    {
        FinishedRun run;
        run.question = QString::fromLatin1(question);
        run.answerGiven = QString(QLatin1Char(given));
        auto *review = new ReviewWindow(run, &owner_);
        review->show();
        return review;
    }

    template <class T>
    static T *Find(QWidget *review, const char *name)
    {
        T *widget = review->findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static QPlainTextEdit *Box(QWidget *review) { return Find<QPlainTextEdit>(review, "questionBox"); }
    static QString Text(QWidget *review, const char *label) { return Find<QLabel>(review, label)->text(); }

    // Every label of the working, depth first, indented two blanks a level.
    static QStringList Tree(QWidget *review, const QModelIndex &parent = {}, const QString &indent = {})
    {
        const QAbstractItemModel *model = Find<QTreeView>(review, "workingView")->model();
        QStringList labels;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex item = model->index(row, 0, parent);
            labels << indent + item.data().toString() << Tree(review, item, indent + QStringLiteral("  "));
        }
        return labels;
    }

    // Selects the item of the working whose label starts with label.
    static void Select(QWidget *review, const QString &label, const QModelIndex &parent = {})
    {
        auto *view = Find<QTreeView>(review, "workingView");
        for (int row = 0; row < view->model()->rowCount(parent); ++row) {
            const QModelIndex item = view->model()->index(row, 0, parent);
            if (item.data().toString().startsWith(label))
                return view->setCurrentIndex(item);
            Select(review, label, item);
        }
    }

    static QStringList Slips(QWidget *review)
    {
        const QAbstractItemModel *model = Find<QListView>(review, "slipsView")->model();
        QStringList sentences;
        for (int row = 0; row < model->rowCount(); ++row)
            sentences << model->index(row, 0).data().toString();
        return sentences;
    }

    QWidget owner_;
};

TEST_F(ReviewTest, ShowsTheFailedQuestionAndBothAnswers)
{
    const struct {
        const char *question;
        char given;
        const char *sentence;
    } rows[] = {
        {kExample, '2', "You answered False (2). The answer is True (1)."},
        {"1 Or 2 And 2", '0', "You answered Unknown (0). The answer is False (2)."},
        {"2 Xor 0 And 1", '1', "You answered True (1). The answer is Unknown (0)."},
        {"1 Or 2", '1', "You answered True (1). The answer is True (1)."},
    };
    for (const auto &row : rows) {
        ReviewWindow *review = Open(row.question, row.given);
        QPlainTextEdit *box = Box(review);
        box->ensurePolished();
        EXPECT_EQ(box->toPlainText(), QLatin1String(row.question));
        EXPECT_TRUE(box->isReadOnly());
        EXPECT_EQ(box->font().family(), QLatin1String("MS Sans Serif"));
        EXPECT_DOUBLE_EQ(box->font().pointSizeF(), 9.75);
        EXPECT_EQ(Text(review, "answerLabel"), QLatin1String(row.sentence));
        EXPECT_EQ(Find<QLabel>(review, "answerLabel")->accessibleName(), QLatin1String(row.sentence));
        EXPECT_FALSE(Find<QLabel>(review, "problemLabel")->isVisible()) << row.question;
        EXPECT_TRUE(review->isWindow());
        EXPECT_EQ(review->parentWidget(), &owner_);
        delete review;
    }
}

TEST_F(ReviewTest, WorkingIsATreeOfGroupsWithTheSlipStepsMarked)
{
    ReviewWindow *review = Open(kExample, '0');
    Find<QTreeView>(review, "workingView")->expandAll();
    const QStringList expected{
        "(0 Maybe 1) For Not (2 Against 0) = 1",
        "  (0 Maybe 1) = 0",
        "    0 Maybe 1 = 0",
        "  (2 Against 0) = 2",
        "    2 Against 0 = 2",
        "  Not 2 is 1 \u2014 likely slip",
        "  0 For 1 = 1 \u2014 likely slip",
    };
    EXPECT_EQ(Tree(review), expected);
    const QAbstractItemModel *model = Find<QTreeView>(review, "workingView")->model();
    const QModelIndex outer = model->index(0, 0);
    EXPECT_TRUE(model->index(3, 0, outer).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(model->index(0, 0, outer).data(Qt::FontRole).value<QFont>().bold());
    delete review;
}

TEST_F(ReviewTest, SlipsComeFirstOrAreSaidToBeNone)
{
    const struct {
        const char *question;
        char given;
        QStringList sentences; // empty: "No single slip explains your answer."
    } rows[] = {
        {kExample, '0', {"Had \"Not 2\" been taken as 0, the answer would be Unknown, as you said.",
                         "Had \"0 For 1\" been taken as 0, the answer would be Unknown, as you said."}},
        {"1 Or 2 And 2", '1', {"Had \"1 And 2\" been taken as 1, the answer would be True, as you said."}},
        {"Not Not Not 1 And 1", '1', {"Had \"Not 1\" been taken as 1, the answer would be True, as you said.",
                                      "Had \"2 And 1\" been taken as 1, the answer would be True, as you said."}},
        {"(1)", '2', {}},
    };
    for (const auto &row : rows) {
        ReviewWindow *review = Open(row.question, row.given);
        EXPECT_EQ(Slips(review), row.sentences) << row.question;
        EXPECT_EQ(Find<QListView>(review, "slipsView")->isVisible(), !row.sentences.isEmpty()) << row.question;
        EXPECT_EQ(Find<QLabel>(review, "noSlipLabel")->isVisible(), row.sentences.isEmpty()) << row.question;
        if (row.sentences.isEmpty()) {
            EXPECT_EQ(Text(review, "noSlipLabel"), QLatin1String("No single slip explains your answer."));
        }
        delete review;
    }
}

TEST_F(ReviewTest, SelectingAStepSelectsExactlyItsTextInTheQuestion)
{
    const struct {
        const char *question;
        const char *label;
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
        ReviewWindow *review = Open(row.question, '0');
        Select(review, QLatin1String(row.label));
        QPlainTextEdit *box = Box(review);
        EXPECT_EQ(box->textCursor().selectedText(), QLatin1String(row.selected)) << row.label;
        // Shown also while the box has no focus, with an underline besides its colours.
        ASSERT_EQ(box->extraSelections().size(), 1) << row.label;
        EXPECT_EQ(box->extraSelections()[0].cursor.selectedText(), QLatin1String(row.selected));
        EXPECT_NE(box->extraSelections()[0].format.underlineStyle(), QTextCharFormat::NoUnderline);
        delete review;
    }
}

TEST_F(ReviewTest, SelectingASlipSelectsItsStepAndALateStepScrollsIntoView)
{
    ReviewWindow *review = Open(kExample, '0');
    auto *slips = Find<QListView>(review, "slipsView");
    slips->setCurrentIndex(slips->model()->index(0, 0));
    EXPECT_EQ(Find<QTreeView>(review, "workingView")->currentIndex().data().toString(),
              QString::fromUtf8("Not 2 is 1 \u2014 likely slip"));
    EXPECT_EQ(Box(review)->textCursor().selectedText(), QLatin1String("Not (2 Against 0)"));
    delete review;

    // A long question of a late level: its last fold stands at the very end.
    nlt::TestCounters counters{.TermCount = 1};
    for (int q = 1; q < 60; ++q)
        nlt::AdvanceDifficulty(counters);
    nlt::SeededRandomSource random(5);
    const std::string question = nlt::JoinParts(nlt::BuildTertiaryParts(counters, random));
    review = Open(question.c_str(), '0');
    review->resize(720, 520);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(review));
    auto *tree = Find<QTreeView>(review, "workingView");
    const QModelIndex outer = tree->model()->index(0, 0);
    tree->setCurrentIndex(tree->model()->index(tree->model()->rowCount(outer) - 1, 0, outer));
    QPlainTextEdit *box = Box(review);
    EXPECT_GT(box->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(box->viewport()->rect().contains(box->cursorRect().center()));
    delete review;
}

TEST_F(ReviewTest, StepsAreWordedAsAPersonWorksThem)
{
    using nlt::Operator;
    using nlt::StepKind;
    const struct {
        nlt::Step step;
        const char *text;
    } rows[] = {
        {{.kind = StepKind::Fold, .range = {}, .left = '1', .op = Operator::For, .right = '2', .value = '2'}, "1 For 2 = 2"},
        {{.kind = StepKind::Fold, .range = {}, .left = '0', .op = Operator::Xagainst, .right = '0', .value = '0'}, "0 Xagainst 0 = 0"},
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
    ReviewWindow *review = Open(kExample, '0');
    QTest::mouseClick(Find<QPushButton>(review, "editButton"), Qt::LeftButton);
    EXPECT_FALSE(Box(review)->isReadOnly());
    for (const auto &row : rows) {
        Box(review)->setPlainText(QString::fromUtf8(row.text));
        QTest::mouseClick(Find<QPushButton>(review, "workOutButton"), Qt::LeftButton);
        EXPECT_EQ(Text(review, "answerLabel"), QString::fromUtf8(row.answer)) << row.text;
        const bool bad = *row.problem != '\0';
        EXPECT_EQ(Find<QLabel>(review, "problemLabel")->isVisible(), bad) << row.text;
        if (bad) {
            EXPECT_EQ(Text(review, "problemLabel"), QString::fromUtf8(row.problem));
        }
        EXPECT_EQ(Find<QTreeView>(review, "workingView")->model()->rowCount() == 0, bad) << row.text;
        // The slips belong to the failed question alone.
        EXPECT_FALSE(Find<QListView>(review, "slipsView")->isVisible()) << row.text;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << row.text;
    }
    // Characters are counted, not the bytes of their encoding.
    Box(review)->setPlainText(QString::fromUtf8("1 And \u00dc"));
    QTest::mouseClick(Find<QPushButton>(review, "workOutButton"), Qt::LeftButton);
    EXPECT_TRUE(Text(review, "problemLabel").startsWith(QLatin1String("at character 7: "))) << qPrintable(Text(review, "problemLabel"));
    delete review;
}

TEST_F(ReviewTest, TypingIsWorkedOutWhenItPausesAndTheQuestionIsOneActionAway)
{
    ReviewWindow *review = Open(kExample, '0');
    const QStringList slips = Slips(review);
    QTest::mouseClick(Find<QPushButton>(review, "editButton"), Qt::LeftButton);
    Box(review)->selectAll();
    QTest::keyClicks(Box(review), QStringLiteral("2 Xor 0 And 1"));
    QTRY_COMPARE(Text(review, "answerLabel"), QStringLiteral("The value is Unknown (0)."));
    EXPECT_TRUE(Find<QPushButton>(review, "backButton")->isEnabled());

    QTest::mouseClick(Find<QPushButton>(review, "backButton"), Qt::LeftButton);
    EXPECT_EQ(Box(review)->toPlainText(), QLatin1String(kExample));
    EXPECT_TRUE(Box(review)->isReadOnly());
    EXPECT_FALSE(Find<QPushButton>(review, "editButton")->isChecked());
    EXPECT_EQ(Text(review, "answerLabel"), QStringLiteral("You answered Unknown (0). The answer is True (1)."));
    EXPECT_EQ(Slips(review), slips);
    EXPECT_TRUE(Find<QListView>(review, "slipsView")->isVisible());
    EXPECT_FALSE(Find<QPushButton>(review, "backButton")->isEnabled());
    delete review;
}

TEST_F(ReviewTest, WorksFromTheKeyboardAndEscapeClosesWithoutEndingTheProgram)
{
    QPointer<ReviewWindow> review = Open(kExample, '0');
    review->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(review));
    for (QWidget *widget : review->findChildren<QWidget *>())
        if (widget->isVisible() && widget->focusPolicy() != Qt::NoFocus) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << qPrintable(widget->objectName());
        }
    Box(review)->setFocus();
    for (const char *next : {"slipsView", "workingView", "editButton", "workOutButton"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(next));
    }

    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(review.isNull());
    EXPECT_EQ(lastWindowClosed.count(), 0);
}

TEST_F(ReviewTest, ClosesWithItsOwner)
{
    auto owner = std::make_unique<QWidget>();
    FinishedRun run;
    run.question = QLatin1String(kExample);
    run.answerGiven = QStringLiteral("2");
    QPointer<ReviewWindow> review = new ReviewWindow(run, owner.get());
    review->show();
    owner.reset();
    EXPECT_TRUE(review.isNull());
}

} // namespace
