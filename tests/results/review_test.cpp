#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QPointer>
#include <QTreeView>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest-spi.h>
#include <array>
#include <tuple>

#include "../testwindow/windowfixture.h"
#include "results/practicewindow.h"
#include "results/reviewwindow.h"
#include "results/reviewworking.h"
#include "engine/evaluator.h"
#include "tests/reference/simulated_person.h"

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
        {kNandAsAnd, "You answered True (1). The answer is False (2).", "at the Nand of the question: 1 Nand 1.", 3, true,
            true},
        {{{kExample, '0', false}}, "You answered Unknown (0). The answer is True (1).",
            "at the For of the question: (0 Maybe 1) For Not (2 Against 0), which is 0 For 1.", 3, true, true},
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

// The finder's question and the expression it asks: a group, a step again with its values, or a fresh one.
const QRegularExpression kAsking("^(?:Work out this group of the question: (.+)|You had (.+) here; work it out "
                                 "again|Not in the question: work out (.+))$");

// Find My Mistake played by a simulated person, who works each part asked by
// reading Nand as And, or rightly, or rightly but for a slip repeated at its
// step asked again, and answers by keys and buttons in turn:
// it names the reading, or says the slip was a one-off and names its step,
// with the truth-table row, every cell worked wrong crossed with its right
// value and the one used; or it says that nothing left to ask tells the causes apart.
TEST_F(ReviewTest, FindMyMistakeAsksPartsUntilItNamesTheMistake)
{
    const QString cross = "\u2717 %1 (you used %2)";
    // The run, how the person works a Nand (N: as And; S: as And only at a step asked again, a
    // slip repeated; R: rightly), the result, the truth row's heads and its cells.
    const std::tuple<const Answers &, char, QString, QStringList, QStringList> rows[] = {
        {kNandAsAndTertiary, 'N',
            "Found: You read \"Nand\" as \"And\". It acts first at the second Nand of the question: 2 Nand 2.",
            {"2 Nand 0", "2 Nand 1", "2 Nand 2"}, {cross.arg(1).arg(2), cross.arg(1).arg(2), cross.arg(1).arg(2)}},
        {kNandAsAnd, 'S',
            "You work this part right when you do it again: it was a one-off slip at the Nand of the question: 1 Nand 1. "
            "It gives 2; you took it as 1.",
            {"1 Nand 1", "1 Nand 2"}, {cross.arg(2).arg(1), "1"}},
        {kNandAsAnd, 'R',
            "You work this part right when you do it again: it was a one-off slip. Your answers do not show at which step.",
            {}, {}},
        {kNandAsAnd, 'N', "Found: You read \"Nand\" as \"And\". It acts first at the Nand of the question: 1 Nand 1.",
            {"1 Nand 1", "1 Nand 2"}, {cross.arg(2).arg(1), cross.arg(1).arg(2)}},
    };
    int turn = 0, fresh = 0;
    for (const auto &[run, nand, found, heads, cells] : rows) {
        SCOPED_TRACE(found.toStdString());
        OpenRun(run);
        review_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(review_));
        Click(review_, "findButton");
        EXPECT_FALSE(Get<QPushButton>("editButton")->isEnabled());
        for (int asked = 0; Get<QLabel>("finderQuestion")->isVisible(); ++asked) {
            ASSERT_LT(asked, 10);
            const QString ask = Text("finderQuestion");
            const QRegularExpressionMatch match = kAsking.match(ask);
            ASSERT_TRUE(match.hasMatch()) << ask.toStdString();
            std::string part = (match.captured(1) + match.captured(2) + match.captured(3)).toStdString();
            // A part of the question is marked where it stands; a fresh expression is not in it.
            EXPECT_EQ(std::pair(Marked().size(), Box()->textCursor().hasSelection()),
                std::pair(qsizetype(match.captured(3).isEmpty()), match.captured(3).isEmpty()));
            fresh += !match.captured(3).isEmpty();
            EXPECT_EQ(Get<QPushButton>("finderUnknown")->isVisible(), !run.back().binary);
            if (nand == 'N' || (nand == 'S' && !match.captured(2).isEmpty()))
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
        EXPECT_EQ(Text("finderResult"), found);
        auto *table = Get<QTableWidget>("truthRow");
        EXPECT_EQ(table->isVisible(), !heads.isEmpty());
        QStringList shown, values;
        for (int column = 0; table->isVisible() && column < table->columnCount(); ++column) {
            shown << table->horizontalHeaderItem(column)->text();
            values << table->item(0, column)->text();
        }
        EXPECT_EQ(std::pair(shown, values), std::pair(heads, cells));
        EXPECT_TRUE(Get<QPushButton>("editButton")->isEnabled());
    }
    EXPECT_GT(fresh, 0); // some question was not in the failed one
}

// The drill from a real review, by keys alone: "Practise" (Alt+P) shows only
// once Find My Mistake has named "Nand" read as "And"; a person with that
// reading answers two drills by the digit keys and gets at least seven of ten
// wrong, each said at once, a wrong one with the step and Nand's row, its cell
// crossed; the end gives the score; Escape returns to the review.
TEST_F(ReviewTest, PractiseDrillsTheNamedMisreadingByKeysAlone)
{
    using nlt::test::Person;
    const Person reader = Person::With(Person::Rule::Word, "Nand", "And");
    OpenRun(kNandAsAndTertiary);
    review_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(review_));
    auto *practise = Get<QPushButton>("practiseButton");
    QTest::keyClick(review_, Qt::Key_M, Qt::AltModifier);
    QTRY_VERIFY(Get<QLabel>("finderQuestion")->isVisible());
    for (int asked = 0; Get<QLabel>("finderQuestion")->isVisible(); ++asked) {
        ASSERT_LT(asked, 10);
        EXPECT_FALSE(practise->isVisible());
        const QString ask = Text("finderQuestion");
        const QRegularExpressionMatch match = kAsking.match(ask);
        const QString part = match.captured(1) + match.captured(2) + match.captured(3);
        QTest::keyClick(review_, Qt::Key(Qt::Key_0 + (reader.Work(part.toStdString()) - '0')));
        QTRY_VERIFY(Text("finderQuestion") != ask || !Get<QLabel>("finderQuestion")->isVisible());
    }
    ASSERT_TRUE(Text("finderResult").startsWith("Found: You read \"Nand\" as \"And\"."));
    ASSERT_TRUE(practise->isVisible());
    QTest::keyClick(review_, Qt::Key_P, Qt::AltModifier);
    QPointer<PracticeWindow> drill;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (drill = review_->findChild<PracticeWindow *>()) != nullptr; }));
    // Activation comes later than a child window reports itself active.
    QTRY_COMPARE(QApplication::activeWindow(), drill.data());
    const auto label = [&](const char *name) { return drill->findChild<QLabel *>(name)->accessibleName(); };
    auto *row = drill->findChild<QTableWidget *>("truthRow");
    EXPECT_TRUE(drill->findChild<QPushButton *>("practiseUnknown")->isVisible());
    for (QWidget *widget : drill->findChildren<QWidget *>())
        EXPECT_TRUE(!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus || !widget->accessibleName().isEmpty())
            << qPrintable(widget->objectName());
    for (int round = 0; round < 2; ++round) {
        int wrong = 0;
        for (int i = 0; i < 10; ++i) {
            const std::string text = label("expressionLabel").toStdString();
            EXPECT_EQ(QApplication::focusWidget()->objectName(), "practiseTrue");
            const char given = reader.Work(text), right = Person{}.Work(text);
            QTest::keyClick(drill, Qt::Key(Qt::Key_0 + (given - '0')), i % 2 ? Qt::KeypadModifier : Qt::NoModifier);
            wrong += given != right;
            EXPECT_TRUE(
                label("feedbackLabel").startsWith(given == right ? "Right: the answer is " : "Wrong: you answered "));
            // Nand read as And is wrong in every cell where the two words differ: a Nand step, with its row.
            EXPECT_EQ(row->isVisible(), given != right) << text;
            for (int column = 0; given != right && column < row->columnCount(); ++column)
                EXPECT_EQ(row->horizontalHeaderItem(column)->text().mid(2, 4), "Nand");
            // Every cell the reading changes is crossed, and only those.
            for (int column = 0; given != right && column < row->columnCount(); ++column) {
                const std::string head = row->horizontalHeaderItem(column)->text().toStdString();
                EXPECT_EQ(row->item(0, column)->text().startsWith(QChar(0x2717)), reader.Work(head) != Person{}.Work(head))
                    << head;
            }
            const QString progress = label("progressLabel");
            QTest::keyClick(drill, Qt::Key_N, Qt::AltModifier);
            QTRY_VERIFY(label("progressLabel") != progress);
        }
        EXPECT_GE(wrong, 7);
        EXPECT_EQ(label("expressionLabel"), QString("%1 of 10 right").arg(10 - wrong));
        EXPECT_TRUE(label("feedbackLabel").startsWith("Still wrong: "));
        if (round == 0)
            QTest::keyClick(drill, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(label("progressLabel"), round == 0 ? "Expression 1 of 10" : "The end of the drill");
    }
    QTest::keyClick(drill, Qt::Key_Escape);
    QTRY_VERIFY(drill.isNull());
    QTRY_COMPARE(QApplication::activeWindow(), review_.data());
    EXPECT_EQ(QApplication::focusWidget(), practise);
    // In the two-valued test there is no Unknown, and 0 answers nothing.
    nlt::Cause notIgnored;
    notIgnored.kind = nlt::CauseKind::NotIgnored;
    PracticeWindow binary(notIgnored, true, &owner_);
    binary.setAttribute(Qt::WA_DeleteOnClose, false);
    binary.show();
    QTRY_COMPARE(QApplication::activeWindow(), &binary);
    EXPECT_FALSE(binary.findChild<QPushButton *>("practiseUnknown")->isVisible());
    QTest::keyClick(&binary, Qt::Key_0);
    EXPECT_FALSE(binary.findChild<QLabel *>("feedbackLabel")->isVisible());
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

// Whichever way a mark is asked for within the typing pause after an edit, it
// marks nothing of the new text (and Qt does not warn of a place beyond its
// end): a step of the old working, by keys or a double-click, and a cause
// work the new text out instead; Find My Mistake shows the failed question
// again and marks its part there, unless the part is not in the question.
TEST_F(ReviewTest, AMarkAskedForWhileTypingNeverLandsOnTheNewText)
{
    const QString failed = QString::fromStdString(kNandAsAndTertiary.back().text);
    // The mnemonic pressed (Qt::Key_unknown: a double-click on the working), the box's text after, its marks.
    const std::tuple<Qt::Key, QString, qsizetype> rows[] = {{Qt::Key_K, "1", 0}, {Qt::Key_unknown, "1", 0},
        {Qt::Key_W, "1", 0}, {Qt::Key_M, failed, 1}};
    for (const auto &[mnemonic, text, marks] : rows) {
        SCOPED_TRACE(QKeySequence(Qt::AltModifier | mnemonic).toString().toStdString());
        OpenRun(kNandAsAndTertiary);
        review_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(review_));
        // A mnemonic presses its button after a short animation.
        QTest::keyClick(review_, Qt::Key_E, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !Box()->isReadOnly(); }));
        Box()->selectAll();
        QTest::keyClicks(Box(), QStringLiteral("1"));
        auto *view = Get<QTreeView>("workingView");
        if (mnemonic == Qt::Key_unknown)
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(Working()->index(0, 0)).center());
        else
            QTest::keyClick(review_, mnemonic, Qt::AltModifier);
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Down})
            QTest::keyClick(QApplication::focusWidget(), key);
        QTRY_COMPARE(Box()->toPlainText(), text);
        // The finder's part is marked where it stands, unless it is not in the question.
        const bool fresh = mnemonic == Qt::Key_M && !kAsking.match(Text("finderQuestion")).captured(3).isEmpty();
        EXPECT_EQ(Marked().size(), fresh ? 0 : marks);
        if (marks == 0)
            QTRY_COMPARE(Text("answerLabel"), QStringLiteral("The value is True (1)."));
    }
    // The test main fails a test on any Qt warning.
    EXPECT_NONFATAL_FAILURE(qWarning("a warning"), "Qt warned: a warning");
}

} // namespace
