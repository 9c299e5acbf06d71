#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QTreeView>

#include "../testwindow/windowfixture.h"
#include "results/reviewwindow.h"
#include "results/reviewworking.h"

namespace {

// The worked example of the help, whose value is 1.
const char *const kExample = "(0 Maybe 1) For Not (2 Against 0)";

// One review window at a time, opened on a failed question and owned (and so
// deleted) by a hidden stand-in for the results window.
class ReviewTest : public testing::Test {
protected:
    void Open(const std::string &text, char given)
    {
        delete review_;
        // Scores, level and the right answer play no part in the review.
        review_ = new ReviewWindow({{}, {}, 0, 0, QString::fromStdString(text), given, {}}, &owner_);
        review_->show();
    }

    template <class T> T *Get(const char *name) const { return review_->findChild<T *>(QLatin1String(name)); }
    QPlainTextEdit *Box() const { return Get<QPlainTextEdit>("questionBox"); }
    QAbstractItemModel *Working() const { return Get<QTreeView>("workingView")->model(); }
    QString Text(const char *label) const { return Get<QLabel>(label)->text(); }

    // A model's labels depth first, indented two spaces a level, bold ones ending in "*".
    static QStringList Labels(const QAbstractItemModel *model, const QModelIndex &parent = {}, QString indent = {})
    {
        QStringList labels;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex item = model->index(row, 0, parent);
            labels << indent + item.data().toString() + (item.data(Qt::FontRole).value<QFont>().bold() ? "*" : "");
            labels << Labels(model, item, indent + "  ");
        }
        return labels;
    }

    QWidget owner_;
    QPointer<ReviewWindow> review_;
};

// The slips are worked by hand from the truth tables; none: "No single slip explains your answer."
TEST_F(ReviewTest, OpensOnTheFailedQuestionWithBothAnswersAndTheSlips)
{
    const QString had = QStringLiteral("Had \"%1\" been taken as %2, the answer would be %3, as you said.");
    const struct { const char *question; char given; const char *sentence; QStringList slips; } rows[] = {
        {kExample, '0', "You answered Unknown (0). The answer is True (1).",
         {had.arg("Not 2", "0", "Unknown"), had.arg("0 For 1", "0", "Unknown")}},
        {kExample, '2', "You answered False (2). The answer is True (1).",
         {had.arg("0 Maybe 1", "2", "False"), had.arg("2 Against 0", "0", "False"),
          had.arg("2 Against 0", "1", "False"), had.arg("Not 2", "2", "False"), had.arg("0 For 1", "2", "False")}},
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
        EXPECT_EQ(Text("answerLabel"), QLatin1String(row.sentence));
        EXPECT_EQ(Get<QLabel>("answerLabel")->accessibleName(), QLatin1String(row.sentence));
        EXPECT_EQ(Labels(Get<QListView>("slipsView")->model()), row.slips);
        EXPECT_EQ(Get<QLabel>("noSlipLabel")->isVisible(), row.slips.isEmpty());
    }
    EXPECT_EQ(Text("noSlipLabel"), QStringLiteral("No single slip explains your answer."));
    // Its own window above the results window, not a part of it.
    EXPECT_TRUE(review_->isWindow() && review_->parentWidget() == &owner_);
}

// Choosing a group, a step or a slip selects and marks exactly its text in the question.
TEST_F(ReviewTest, WorkingIsATreeWhoseItemsSelectExactlyTheirText)
{
    // label: the start of the item's label.
    const struct { const char *question; const char *label; const char *selected; } rows[] = {
        {"1 And Not 0 Or 1", "Not 0 after And counts as 2", "Not 0"}, {"1 And Not 0 Or 1", "2 Or 1 = 1", "Or 1"},
        {"1 And Not 0 Or 1", "1 And 2 = 2", "1 And Not 0"}, {"Not 0 Xor 1", "Not 0 before Xor counts as 2", "Not 0"},
        {kExample, "(0 Maybe 1) = 0", "(0 Maybe 1)"}, {kExample, "0 Maybe 1 = 0", "0 Maybe 1"},
        {kExample, "Not 2 is 1", "Not (2 Against 0)"}, {kExample, "0 For 1 = 1", kExample},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.label);
        Open(row.question, '0');
        Get<QTreeView>("workingView")->setCurrentIndex(Working()->match(
            Working()->index(0, 0), Qt::DisplayRole, row.label, 1, Qt::MatchStartsWith | Qt::MatchRecursive).value(0));
        EXPECT_EQ(Box()->textCursor().selectedText(), QLatin1String(row.selected));
        // Marked also while the box has no focus, and underlined besides its colours.
        EXPECT_NE(Box()->extraSelections().value(0).format.underlineStyle(), QTextCharFormat::NoUnderline);
    }
    // The working of the last row, the example, is a tree of groups with the slip steps in bold.
    EXPECT_EQ(Labels(Working()),
              QStringList({"(0 Maybe 1) For Not (2 Against 0) = 1", "  (0 Maybe 1) = 0", "    0 Maybe 1 = 0",
                           "  (2 Against 0) = 2", "    2 Against 0 = 2", "  Not 2 is 1 \u2014 likely slip*",
                           "  0 For 1 = 1 \u2014 likely slip*"}));
    Get<QListView>("slipsView")->setCurrentIndex(Get<QListView>("slipsView")->model()->index(0, 0));
    EXPECT_EQ(Box()->textCursor().selectedText(), QLatin1String("Not (2 Against 0)"));

    // The last step of a long chain, at the end of its text, is scrolled into view.
    Open("1" + QString(" And 1").repeated(300).toStdString(), '0');
    ASSERT_TRUE(QTest::qWaitForWindowExposed(review_));
    const QModelIndex whole = Working()->index(0, 0);
    Get<QTreeView>("workingView")->setCurrentIndex(Working()->index(Working()->rowCount(whole) - 1, 0, whole));
    EXPECT_TRUE(Box()->viewport()->rect().contains(Box()->cursorRect().center()));
}

TEST_F(ReviewTest, StepsAndGroupsAreWordedAsAPersonWorksThem)
{
    using namespace nlt;
    const struct { Step step; const char *text; } rows[] = {
        {{.kind = StepKind::NotZero, .range = {}, .op = Operator::For, .operatorBefore = true, .value = '2'},
         "Not 0 after For counts as 2"},
        {{.kind = StepKind::NotZero, .range = {}, .op = Operator::Xand, .value = '1'}, "Not 0 before Xand counts as 1"},
        {{.kind = StepKind::CancelNots, .range = {0, 8}}, "Not Not cancels"},
        {{.kind = StepKind::CancelNots, .range = {4, 16}}, "2 pairs of Not cancel"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ReviewWording::StepText(row.step), QString::fromUtf8(row.text));
    // A group longer than 64 characters is shortened in its middle.
    EXPECT_EQ(ReviewWording::GroupText(std::string(64, '1'), '1'), QString(64, u'1') + " = 1");
    const std::string head = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcd", tail = "0123456789ghijklmnopqrstuvwxyz";
    EXPECT_EQ(ReviewWording::GroupText(head + std::string(40, '-') + tail, '0'),
              QString::fromStdString(head + " \u2026 " + tail + " = 0"));
}

// Typed text is worked out at a pause, without the slips, which belong to the
// failed question alone; bad text is explained inline, never in a dialog.
TEST_F(ReviewTest, WorksFromTheKeyboardExplainsBadTextInlineAndClosesOnEscape)
{
    const struct { const char *text; const char *problem; } bad[] = {
        {"1 And 2 or 1", "at character 9: \"or\" is not an operator word; operator words begin with a capital letter"},
        {"1 Or", "at character 5: the term \"1 Or\" has no value"}, {"", "Type an expression to work it out."},
        {"Not 0", "at character 1: \"Not 0\" needs an operator beside it"},
    };
    Open(kExample, '0');
    review_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(review_));
    // Every widget the keyboard reaches has a name a screen reader can say.
    for (QWidget *widget : review_->findChildren<QWidget *>())
        EXPECT_TRUE(!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus || !widget->accessibleName().isEmpty())
            << qPrintable(widget->objectName());
    Box()->setFocus();
    for (const char *next : {"slipsView", "workingView", "editButton", "workOutButton"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(next));
    }

    Click(review_, "editButton");
    Box()->selectAll();
    QTest::keyClicks(Box(), QStringLiteral("2 Xor 0 And 1"));
    QTRY_COMPARE(Text("answerLabel"), QStringLiteral("The value is Unknown (0)."));
    EXPECT_FALSE(Get<QListView>("slipsView")->isVisible());
    for (const auto &row : bad) {
        SCOPED_TRACE(row.text);
        Box()->setPlainText(QString::fromUtf8(row.text));
        Click(review_, "workOutButton");
        EXPECT_EQ(Text("answerLabel"), QStringLiteral("No value."));
        EXPECT_EQ(Get<QLabel>("problemLabel")->isVisible() ? Text("problemLabel") : "", QString::fromUtf8(row.problem));
        EXPECT_EQ(Working()->rowCount(), 0);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    // The failed question is one action away.
    Click(review_, "backButton");
    EXPECT_EQ(Box()->toPlainText(), QLatin1String(kExample));
    EXPECT_EQ(Text("answerLabel"), QStringLiteral("You answered Unknown (0). The answer is True (1)."));
    EXPECT_TRUE(Box()->isReadOnly() && Get<QListView>("slipsView")->isVisible() && !Get<QLabel>("problemLabel")->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(review_.isNull());
}

} // namespace

