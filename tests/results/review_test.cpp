#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QPointer>
#include <QTreeView>
#include <QPushButton>
#include <gtest/gtest-spi.h>
#include <array>
#include <tuple>

#include "../testwindow/windowfixture.h"
#include "results/reviewwindow.h"
#include "results/reviewworking.h"
#include "engine/evaluator.h"

namespace {

// The worked example of the help, whose value is 1.
const char *const kExample = "(0 Maybe 1) For Not (2 Against 0)";

// A run of questions as the person answered them, the failed one last.
using Answers = std::vector<nlt::AnsweredQuestion>;

// One review window at a time, opened on a failed run and owned (and so
// deleted) by a hidden stand-in for the results window.
class ReviewTest : public testing::Test {
protected:
    void Open(const std::string &text, char given) { OpenRun({{text, given, false}}); }

    // Opens the review of run and waits until its causes are worked out.
    void OpenRun(const Answers &run)
    {
        delete review_;
        auto record = std::make_shared<nlt::RunRecord>();
        for (const nlt::AnsweredQuestion &question : run)
            record->Add(question);
        // Scores, level and the right answer play no part in the review.
        review_ = new ReviewWindow({{}, {}, 0, 0, QString::fromStdString(run.back().text), run.back().given, {}, record},
            &owner_);
        review_->show();
        // Until the thread hands its causes back, the window says it is at work.
        EXPECT_EQ(Get<QLabel>("diagnosisStatus")->isVisible() ? Text("diagnosisStatus") : "",
            QStringLiteral("Working out what went wrong..."));
        EXPECT_TRUE(QTest::qWaitFor([this] {
            return !Get<QLabel>("diagnosisStatus")->isVisible()
                || Text("diagnosisStatus") != "Working out what went wrong...";
        }));
    }

    template <class T> T *Get(const char *name) const { return review_->findChild<T *>(QLatin1String(name)); }
    QPlainTextEdit *Box() const { return Get<QPlainTextEdit>("questionBox"); }
    QAbstractItemModel *Working() const { return Get<QTreeView>("workingView")->model(); }
    QString Text(const char *label) const { return Get<QLabel>(label)->text(); }

    // The causes the list shows, hidden ones left out.
    QStringList Causes() const
    {
        QStringList shown;
        auto *list = Get<QListWidget>("causesView");
        for (int row = 0; list->isVisible() && row < list->count(); ++row)
            if (!list->isRowHidden(row))
                shown << list->item(row)->text();
        return shown;
    }

    // The texts the question box marks.
    QStringList Marked() const
    {
        QStringList marked;
        for (const QTextEdit::ExtraSelection &mark : Box()->extraSelections())
            marked << mark.cursor.selectedText();
        return marked;
    }

    // A model's labels depth first, indented two spaces a level.
    static QStringList Labels(const QAbstractItemModel *model, const QModelIndex &parent = {}, QString indent = {})
    {
        QStringList labels;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex item = model->index(row, 0, parent);
            labels << indent + item.data().toString();
            labels << Labels(model, item, indent + "  ");
        }
        return labels;
    }

    QWidget owner_;
    QPointer<ReviewWindow> review_;
};

// A two-valued run that ends in 1 Nand 1 Or 2, which is 2, and 1 read as And;
// the earlier answers leave that reading, one cell of Or's table and a slip.
const Answers kNandAsAnd = {{"1 Or 2", '1', true}, {"2 And 2", '2', true}, {"1 Nand 1 Or 2", '1', true}};

// A three-valued one: 1 Nand 2 Or (2 Nand 2) is 1, and 2 read as And.
const Answers kNandAsAndTertiary = {{"1 Nand 2 Or (2 Nand 2)", '2', false}};

// The causes come first, each with its weight in words, at most three until
// "More"; "Find My Mistake" only when more than one cause stands; a right
// answer has none. The readings are checked against the tables by hand.
TEST_F(ReviewTest, DiagnosisListsAtMostThreeCausesWithTheirWeight)
{
    const char *andFirst = "You worked And, Nand and Xand before the other words";
    // The run, the sentence on the answer, the start of the first cause, how many causes show, "More", "Find".
    const std::tuple<Answers, const char *, const char *, qsizetype, bool, bool> rows[] = {
        {{{"1 Xor 2 And 1 Or 2 Nand 1", '1', true}}, "You answered True (1). The answer is False (2).", andFirst, 3, true,
            true},
        {kNandAsAnd, "You answered True (1). The answer is False (2).", "A one-off slip: the Nand of 1 and 1", 3, true,
            true},
        {{{kExample, '0', false}}, "You answered Unknown (0). The answer is True (1).", "A one-off slip: the For of", 3,
            true, true},
        {{{"1 Or 2", '1', false}}, "You answered True (1). The answer is True (1).", "", 0, false, false},
    };
    for (const auto &[run, sentence, first, shown, more, find] : rows) {
        SCOPED_TRACE(run.back().text);
        OpenRun(run);
        EXPECT_EQ(Text("answerLabel"), QLatin1String(sentence));
        EXPECT_EQ(Get<QLabel>("answerLabel")->accessibleName(), QLatin1String(sentence));
        const QStringList causes = Causes();
        EXPECT_TRUE(causes.value(0).contains(QLatin1String(first))) << causes.value(0).toStdString();
        EXPECT_EQ(std::tuple(causes.size(), Get<QLabel>("diagnosisStatus")->isVisible(),
                      Get<QPushButton>("moreButton")->isVisible(), Get<QPushButton>("findButton")->isVisible()),
            std::tuple(shown, shown == 0, more, find));
        if (more) {
            Click(review_, "moreButton");
            EXPECT_GT(Causes().size(), 3);
        }
        for (const QString &cause : Causes())
            EXPECT_TRUE(cause.startsWith("Most likely: ") || cause.startsWith("Possibly: ")
                        || cause.startsWith("Can't tell these apart: "))
                << cause.toStdString();
    }
    EXPECT_EQ(Text("diagnosisStatus"), QStringLiteral("No misreading and no single slip gives your answer."));
    // Its own window above the results window, not a part of it.
    EXPECT_TRUE(review_->isWindow() && review_->parentWidget() == &owner_);

    // Choosing a misreading marks every place where it acts.
    OpenRun(kNandAsAndTertiary);
    auto *list = Get<QListWidget>("causesView");
    const auto found = list->findItems("\"Nand\" as \"And\"", Qt::MatchContains);
    ASSERT_EQ(found.size(), 1);
    list->setCurrentItem(found[0]);
    EXPECT_EQ(Marked(), QStringList({"1 Nand 2", "2 Nand 2"}));
    EXPECT_EQ(Box()->textCursor().selectedText(), "1 Nand 2");
}

// Find My Mistake played by a simulated person, who works each part asked by
// reading Nand as And (or rightly) and answers by keys and buttons in turn:
// it names the reading, or the slipped step and says the slip was a one-off,
// with the truth-table row, the right cell marked in words; or it says that
// nothing left to ask tells the causes apart.
TEST_F(ReviewTest, FindMyMistakeAsksPartsUntilItNamesTheMistake)
{
    const QString oneOff = "Your answers fit no misreading, so you work this part right now: the slip was a one-off.";
    // The run, whether the person reads Nand as And, the result's start, the truth row's heads and its marked cell.
    const std::tuple<const Answers &, bool, QString, QStringList, QString> rows[] = {
        {kNandAsAndTertiary, true, "Found: You read \"Nand\" as \"And\".", {"2 Nand 0", "2 Nand 1", "2 Nand 2"},
            "\u2714 1 (not 2)"},
        {kNandAsAnd, false, oneOff, {}, {}}, // two slips give the answer, and neither is repeated
        {kNandAsAnd, true, "Found: You read \"Nand\" as \"And\".", {"1 Nand 1", "1 Nand 2"}, "\u2714 2 (not 1)"},
    };
    int turn = 0;
    for (const auto &[run, misreads, found, heads, marked] : rows) {
        SCOPED_TRACE(found.toStdString());
        OpenRun(run);
        review_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(review_));
        Click(review_, "findButton");
        EXPECT_FALSE(Get<QPushButton>("editButton")->isEnabled());
        for (int asked = 0; Get<QLabel>("finderQuestion")->isVisible(); ++asked) {
            ASSERT_LT(asked, 10);
            const QString ask = Text("finderQuestion");
            ASSERT_TRUE(ask.startsWith("Work out "));
            std::string part = ask.mid(9).toStdString();
            // A part of the question is marked where it stands (a fresh expression has no place).
            EXPECT_LE(Marked().size(), 1);
            EXPECT_EQ(Get<QPushButton>("finderUnknown")->isVisible(), !run.back().binary);
            if (misreads)
                for (std::size_t at; (at = part.find(" Nand ")) != std::string::npos;)
                    part.replace(at, 6, " And ");
            const char value = nlt::EvaluateExpression(part)[0];
            // Answered in turn by a digit, a keypad digit, Alt and the word's letter, and the button.
            const char *letter = value == '1' ? "True" : value == '2' ? "False" : "Unknown";
            if (const int way = turn++ % 4; way == 3)
                Click(review_, ("finder" + QString(letter)).toLatin1().constData());
            else
                QTest::keyClick(review_, way == 2 ? Qt::Key(letter[0]) : Qt::Key(Qt::Key_0 + (value - '0')),
                    std::array{Qt::NoModifier, Qt::KeypadModifier, Qt::AltModifier}[way]);
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return Text("finderQuestion") != ask || !Get<QLabel>("finderQuestion")->isVisible(); }));
        }
        EXPECT_TRUE(Text("finderResult").startsWith(found)) << Text("finderResult").toStdString();
        auto *table = Get<QTableWidget>("truthRow");
        EXPECT_EQ(table->isVisible(), !heads.isEmpty());
        QStringList shown;
        for (int column = 0; table->isVisible() && column < table->columnCount(); ++column) {
            shown << table->horizontalHeaderItem(column)->text();
            EXPECT_EQ(table->item(0, column)->font().bold() ? table->item(0, column)->text() : marked, marked);
        }
        EXPECT_EQ(shown, heads);
        EXPECT_TRUE(Get<QPushButton>("editButton")->isEnabled());
    }
}

// Choosing a group or a step selects and marks exactly its text in the question.
TEST_F(ReviewTest, WorkingIsATreeWhoseItemsSelectExactlyTheirText)
{
    // label: the start of the item's label.
    const char *const rows[][3] = {
        {"1 And Not 0 Or 1", "Not 0 after And counts as 2", "Not 0"},
        {"1 And Not 0 Or 1", "2 Or 1 = 1", "Or 1"},
        {"1 And Not 0 Or 1", "1 And 2 = 2", "1 And Not 0"},
        {"Not 0 Xor 1", "Not 0 before Xor counts as 2", "Not 0"},
        {kExample, "(0 Maybe 1) = 0", "(0 Maybe 1)"},
        {kExample, "0 Maybe 1 = 0", "0 Maybe 1"},
        {kExample, "Not 2 is 1", "Not (2 Against 0)"},
        {kExample, "0 For 1 = 1", kExample},
    };
    for (const auto &[question, label, selected] : rows) {
        SCOPED_TRACE(label);
        Open(question, '0');
        Get<QTreeView>("workingView")
            ->setCurrentIndex(
                Working()
                    ->match(Working()->index(0, 0), Qt::DisplayRole, label, 1, Qt::MatchStartsWith | Qt::MatchRecursive)
                    .value(0));
        EXPECT_EQ(Box()->textCursor().selectedText(), QLatin1String(selected));
        // Marked also while the box has no focus, and underlined besides its colours.
        EXPECT_NE(Box()->extraSelections().value(0).format.underlineStyle(), QTextCharFormat::NoUnderline);
    }
    // The working of the last row, the example, is a tree of groups.
    EXPECT_EQ(Labels(Working()),
        QStringList({"(0 Maybe 1) For Not (2 Against 0) = 1", "  (0 Maybe 1) = 0", "    0 Maybe 1 = 0",
            "  (2 Against 0) = 2", "    2 Against 0 = 2", "  Not 2 is 1", "  0 For 1 = 1"}));

    // The last step of a long chain, at the end of its text, is scrolled into view.
    Open("1" + QString(" And 1").repeated(300).toStdString(), '0');
    ASSERT_TRUE(QTest::qWaitForWindowExposed(review_));
    const QModelIndex whole = Working()->index(0, 0);
    Get<QTreeView>("workingView")->setCurrentIndex(Working()->index(Working()->rowCount(whole) - 1, 0, whole));
    EXPECT_TRUE(Box()->viewport()->rect().contains(Box()->cursorRect().center()));
}

TEST_F(ReviewTest, StepsAndGroupsAreWordedAsAPersonWorksThem)
{
    using nlt::StepKind;
    EXPECT_EQ(ReviewWording::StepText({.kind = StepKind::CancelNots, .range = {0, 8}}), "Not Not cancels");
    EXPECT_EQ(ReviewWording::StepText({.kind = StepKind::CancelNots, .range = {4, 16}}), "2 pairs of Not cancel");
    // A group longer than 64 characters is shortened in its middle.
    EXPECT_EQ(ReviewWording::GroupText(std::string(64, '1'), '1'), QString(64, u'1') + " = 1");
    const std::string head = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcd", tail = "0123456789ghijklmnopqrstuvwxyz";
    EXPECT_EQ(ReviewWording::GroupText(head + std::string(40, '-') + tail, '0'),
        QString::fromStdString(head + " \u2026 " + tail + " = 0"));
}

// Typed text is worked out at a pause, without the causes, which belong to the
// failed question alone; bad text is explained inline, never in a dialog.
TEST_F(ReviewTest, WorksFromTheKeyboardExplainsBadTextInlineAndClosesOnEscape)
{
    const char *const bad[][2] = {
        {"1 And 2 or 1", "at character 9: \"or\" is not an operator word; operator words begin with a capital letter"},
        {"", "Type an expression to work it out."},
    };
    Open(kExample, '0');
    review_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(review_));
    // Every widget the keyboard reaches has a name a screen reader can say.
    for (QWidget *widget : review_->findChildren<QWidget *>())
        EXPECT_TRUE(!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus || !widget->accessibleName().isEmpty())
            << qPrintable(widget->objectName());
    Box()->setFocus();
    for (const char *next : {"causesView", "moreButton", "findButton", "workingView", "editButton", "workOutButton"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(next));
    }

    Click(review_, "editButton");
    Box()->selectAll();
    QTest::keyClicks(Box(), QStringLiteral("2 Xor 0 And 1"));
    QTRY_COMPARE(Text("answerLabel"), QStringLiteral("The value is Unknown (0)."));
    EXPECT_FALSE(Get<QListWidget>("causesView")->isVisible());
    for (const auto &[text, problem] : bad) {
        SCOPED_TRACE(text);
        Box()->setPlainText(QString::fromUtf8(text));
        Click(review_, "workOutButton");
        EXPECT_EQ(Text("answerLabel"), QStringLiteral("No value."));
        EXPECT_EQ(Get<QLabel>("problemLabel")->isVisible() ? Text("problemLabel") : "", QString::fromUtf8(problem));
        EXPECT_EQ(Working()->rowCount(), 0);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    // The failed question is one action away.
    Click(review_, "backButton");
    EXPECT_EQ(Box()->toPlainText(), QLatin1String(kExample));
    EXPECT_EQ(Text("answerLabel"), QStringLiteral("You answered Unknown (0). The answer is True (1)."));
    EXPECT_TRUE(
        Box()->isReadOnly() && Get<QListWidget>("causesView")->isVisible() && !Get<QLabel>("problemLabel")->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(review_.isNull());
}

// A step of the old working chosen within the typing pause after an edit, by
// keys or a double-click, marks nothing of the new text (and Qt does not warn
// of a place beyond its end): the new text is worked out at once instead.
TEST_F(ReviewTest, AStepOfTheOldWorkingChosenWhileTypingWorksTheNewTextOut)
{
    for (const bool byKeys : {true, false}) {
        SCOPED_TRACE(byKeys ? "Alt+K, Down" : "double-click");
        Open(kExample, '0');
        review_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(review_));
        // A mnemonic presses its button after a short animation.
        QTest::keyClick(review_, Qt::Key_E, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !Box()->isReadOnly(); }));
        Box()->selectAll();
        QTest::keyClicks(Box(), QStringLiteral("1"));
        auto *view = Get<QTreeView>("workingView");
        if (byKeys) {
            QTest::keyClick(review_, Qt::Key_K, Qt::AltModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        } else {
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(Working()->index(0, 0)).center());
        }
        EXPECT_EQ(Box()->toPlainText(), "1");
        EXPECT_EQ(QApplication::focusWidget(), view);
        EXPECT_TRUE(Box()->extraSelections().isEmpty());
        EXPECT_FALSE(Box()->textCursor().hasSelection());
        QTRY_COMPARE(Text("answerLabel"), QStringLiteral("The value is True (1)."));
    }
    // The test main fails a test on any Qt warning.
    EXPECT_NONFATAL_FAILURE(qWarning("a warning"), "Qt warned: a warning");
}

} // namespace
