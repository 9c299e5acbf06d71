#include "results/reviewwindow.h"

#include <QHeaderView>
#include <QPalette>
#include <QShortcut>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextEdit>
#include <QThread>
#include <algorithm>

#include "results/labeltext.h"
#include "engine/diagnosis.h"
#include "engine/evaluator.h"
#include "engine/explain.h"
#include "engine/wording.h"
#include "results/practicewindow.h"
#include "results/reviewworking.h"
#include "results/truthrowtable.h"
#include "testwindow/buttonshortcuts.h"
#include "ui_reviewwindow.h"

namespace {

// How long typing must pause before an edited expression is worked out.
constexpr int kTypingPauseMs = 300;

// The run's answered questions as the diagnosis reads them, the failed one
// last: the run's record, or the failed question alone.
std::shared_ptr<const nlt::RunRecord> RecordOf(const FinishedRun &run)
{
    if (run.record && !run.record->Questions().empty())
        return run.record;
    auto alone = std::make_shared<nlt::RunRecord>();
    alone->Add({run.question.toStdString(), run.answerGiven, false});
    return alone;
}

// At most this many causes show until "More" is pressed.
constexpr int kCausesShown = 3;

// A mark that shows without colour too: underlined in the text colour, on a
// pale shade of the selection colour that keeps the text readable.
QTextEdit::ExtraSelection Mark(const QTextCursor &cursor, const QPalette &palette, QTextCharFormat::UnderlineStyle line)
{
    QTextEdit::ExtraSelection mark;
    mark.cursor = cursor;
    mark.format.setBackground(palette.color(QPalette::Active, QPalette::Highlight).lighter(170));
    mark.format.setForeground(palette.color(QPalette::Active, QPalette::Text));
    mark.format.setUnderlineStyle(line);
    mark.format.setUnderlineColor(palette.color(QPalette::Active, QPalette::Text));
    return mark;
}

} // namespace

ReviewWindow::ReviewWindow(const FinishedRun &run, QWidget *owner)
    : QWidget(owner, Qt::Dialog), ui_(std::make_unique<Ui::ReviewWindow>()), run_(run), record_(RecordOf(run)),
      working_(new WorkingModel(this))
{
    ui_->setupUi(this);
    ui_->runTimes->setRecord(run.record);
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose);
    ui_->workingView->setModel(working_);
    // Hidden from the start, so that the size the window is placed at is the one it shows.
    ui_->problemLabel->hide();
    ui_->finderBox->hide();
    // Without the focus the box's own selection would cover the mark drawn
    // beneath it: it shows only while the box has the focus.
    QPalette boxColours = ui_->questionBox->palette();
    boxColours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::transparent);
    boxColours.setColor(QPalette::Inactive, QPalette::HighlightedText, boxColours.color(QPalette::Inactive, QPalette::Text));
    ui_->questionBox->setPalette(boxColours);
    pause_.setSingleShot(true);
    pause_.setInterval(kTypingPauseMs);
    // The truth-table row fits its cells; the person reads it, never scrolls it.
    ui_->truthRow->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ui_->editButton, &QPushButton::toggled, this, &ReviewWindow::setEditing);
    connect(ui_->workOutButton, &QPushButton::clicked, this, &ReviewWindow::workOut);
    connect(ui_->backButton, &QPushButton::clicked, this, &ReviewWindow::backToQuestion);
    connect(&pause_, &QTimer::timeout, this, &ReviewWindow::workOut);
    connect(ui_->questionBox, &QPlainTextEdit::textChanged, this, [this] {
        if (!ui_->questionBox->isReadOnly())
            pause_.start();
    });
    connect(ui_->workingView->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex &current) { highlight(current); });
    connect(ui_->causesView, &QListWidget::currentRowChanged, this, &ReviewWindow::showCause);
    connect(ui_->moreButton, &QPushButton::toggled, this, &ReviewWindow::listCauses);
    connect(ui_->findButton, &QPushButton::clicked, this, [this] {
        // The parts asked are parts of the failed question: it is shown again if
        // the box holds a text typed since.
        if (ui_->questionBox->toPlainText() != run_.question)
            backToQuestion();
        searching_ = true;
        ui_->findButton->setEnabled(false);
        ui_->editButton->setEnabled(false);
        showDiagnosis(); // the finder's box, and no Practise while it asks
        askNext();
    });
    connect(ui_->practiseButton, &QPushButton::clicked, this, &ReviewWindow::openPractice);
    // The answers of the test: the buttons (Alt+T, Alt+F, Alt+U by their
    // captions) and the keys 1, 2 and 0, on the keypad too.
    answerButtons_ = {{ui_->finderTrue, '1'}, {ui_->finderFalse, '2'}, {ui_->finderUnknown, '0'}};
    for (const auto &[button, value] : answerButtons_) {
        connect(button, &QAbstractButton::clicked, this, [this, value = value] { answerPart(value); });
        const auto key = Qt::Key(Qt::Key_0 + (value - '0'));
        AddButtonShortcuts(button, {key, Qt::KeypadModifier | key});
    }
}

ReviewWindow::~ReviewWindow()
{
    // The drill goes with the review, and hands the keyboard back to nothing.
    if (PracticeWindow *drill = practice_.get())
        drill->disconnect(this);
    // The thread works on its own copy of the run; it is waited for, not cut off.
    if (diagnosing_)
        diagnosing_->wait();
}

void ReviewWindow::showEvent(QShowEvent *event)
{
    // The box lays its text out again at its first resize, which comes with the
    // first show; a long question is therefore put in only now, to be laid out once.
    if (!event->spontaneous() && !shown_) {
        shown_ = true;
        backToQuestion();
        startDiagnosis();
    }
    QWidget::showEvent(event);
}

void ReviewWindow::workOut()
{
    pause_.stop();
    const QString text = ui_->questionBox->toPlainText();
    // The causes belong to the failed question alone.
    showWorking(text, text == run_.question);
}

void ReviewWindow::backToQuestion()
{
    // What was typed is dropped unworked.
    pause_.stop();
    ui_->editButton->setChecked(false);
    ui_->questionBox->setPlainText(run_.question);
    showWorking(run_.question, true);
}

void ReviewWindow::setEditing(bool editing)
{
    ui_->questionBox->setReadOnly(!editing);
    if (editing) {
        ui_->questionBox->setFocus();
        return;
    }
    // Read-only again: the box keeps its keyboard selection, and what was typed is worked out.
    ui_->questionBox->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    if (pause_.isActive())
        workOut();
}

void ReviewWindow::showWorking(const QString &text, bool failed)
{
    const std::string utf8 = text.toStdString();
    ui_->questionBox->setExtraSelections({});
    ui_->backButton->setEnabled(!failed);
    failedShown_ = failed;
    workedText_ = text;
    showDiagnosis();
    working_->clear();
    if (text.trimmed().isEmpty()) {
        showProblem(Said(nlt::EmptyTextInWords()));
        return;
    }
    if (const std::optional<nlt::SyntaxProblem> problem = nlt::FindSyntaxProblem(utf8)) {
        // The engine counts bytes of UTF-8; the person counts characters.
        const qsizetype at = QString::fromUtf8(utf8.data(), qsizetype(problem->position)).size();
        showProblem(Said(nlt::ProblemAt(std::size_t(at) + 1, nlt::ProblemInWords(*problem))));
        markPlaces(text, {{std::size_t(at), 1}}, MarkKind::Problem);
        return;
    }
    nlt::Explanation explanation;
    try {
        explanation = nlt::ExplainExpression(utf8);
    } catch (const nlt::EvaluationError &error) {
        showProblem(QString::fromUtf8(error.what()));
        return;
    }
    ui_->problemLabel->setVisible(false);
    const char value = explanation.value;
    working_->setWorking(utf8, std::move(explanation));
    ShowLabelText(ui_->answerLabel,
        Said(failed ? nlt::AnswerInWords(failedQuestion().given, value) : nlt::ValueInWords(value)));
    if (working_->rowCount() > 0)
        ui_->workingView->expand(working_->index(0, 0));
}

void ReviewWindow::showProblem(const QString &problem)
{
    ShowLabelText(ui_->answerLabel, Said(nlt::NoValueInWords()));
    ShowLabelText(ui_->problemLabel, problem);
    ui_->problemLabel->setVisible(true);
}

void ReviewWindow::highlight(const QModelIndex &index)
{
    const std::optional<nlt::TextRange> range = working_->rangeAt(index);
    markPlaces(workedText_, range ? std::vector{*range} : std::vector<nlt::TextRange>{});
}

void ReviewWindow::markPlaces(const QString &text, const std::vector<nlt::TextRange> &places, MarkKind kind)
{
    if (ui_->questionBox->toPlainText() != text) {
        ui_->questionBox->setExtraSelections({});
        // Text typed within the pause: work it out at once, so that its own places can be marked.
        if (pause_.isActive())
            QMetaObject::invokeMethod(this, &ReviewWindow::workOut, Qt::QueuedConnection);
        return;
    }
    QList<QTextEdit::ExtraSelection> marks;
    for (const nlt::TextRange &place : places) {
        // A problem may stand just past the end, where something is missing.
        const auto end = int(std::min<std::size_t>(place.begin + place.length, std::size_t(text.size())));
        QTextCursor cursor(ui_->questionBox->document());
        cursor.setPosition(end);
        cursor.setPosition(std::min(int(place.begin), end), QTextCursor::KeepAnchor);
        marks.append(Mark(cursor, palette(),
            kind == MarkKind::Problem ? QTextCharFormat::WaveUnderline : QTextCharFormat::SingleUnderline));
    }
    if (marks.isEmpty() || kind == MarkKind::Problem) {
        // Nothing to mark, such as a question that is not in the failed one: no selection either.
        if (marks.isEmpty())
            ui_->questionBox->moveCursor(QTextCursor::Start);
        ui_->questionBox->setExtraSelections(marks);
        return;
    }
    // The cursor ends at the start of the first place, so a long group scrolls into view from its start.
    ui_->questionBox->setTextCursor(marks.front().cursor);
    ui_->questionBox->ensureCursorVisible();
    // The box shows its own selection only while it has the focus; the marks show always.
    ui_->questionBox->setExtraSelections(marks);
}

void ReviewWindow::startDiagnosis()
{
    ShowLabelText(ui_->diagnosisStatus, Said(nlt::DiagnosingInWords()));
    auto result = std::make_shared<Diagnosis>();
    // A long run takes a while: the window stays live while a thread works it out.
    QThread *thread = QThread::create([result, record = record_] {
        try {
            // Diagnosed once: the finder starts from these causes and this working.
            const auto run = record->Questions();
            const nlt::Explanation working = run.empty() ? nlt::Explanation{} : nlt::ExplainExpression(run.back().text);
            result->causes = nlt::DiagnoseRun(run, working);
            if (result->causes.size() > 1)
                result->finder = std::make_unique<nlt::MistakeFinder>(run.back(), result->causes, working);
        } catch (const nlt::EvaluationError &) {
            *result = {};
        }
    });
    connect(thread, &QThread::finished, this, [this, result] { takeDiagnosis(std::move(*result)); });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    diagnosing_ = thread;
    thread->start();
}

void ReviewWindow::takeDiagnosis(Diagnosis diagnosis)
{
    diagnosed_ = true;
    causes_ = std::move(diagnosis.causes);
    finder_ = std::move(diagnosis.finder);
    if (causes_.empty())
        ShowLabelText(ui_->diagnosisStatus, Said(nlt::NoCauseInWords()));
    listCauses();
    showDiagnosis();
}

void ReviewWindow::showDiagnosis()
{
    const bool shown = failedShown_;
    ui_->diagnosisCaption->setVisible(shown);
    ui_->diagnosisStatus->setVisible(shown && (!diagnosed_ || causes_.empty()));
    ui_->causesView->setVisible(shown && !causes_.empty());
    ui_->moreButton->setVisible(shown && causes_.size() > std::size_t(kCausesShown));
    ui_->findButton->setVisible(shown && finder_);
    ui_->finderBox->setVisible(shown && searching_);
    ui_->practiseButton->setVisible(shown && heldMisreading());
}

void ReviewWindow::listCauses()
{
    ui_->causesView->clear();
    const bool all = ui_->moreButton->isChecked();
    for (std::size_t i = 0; i < causes_.size(); ++i) {
        const QString text = Said(nlt::CauseLine(causes_, i));
        ui_->causesView->addItem(text);
        ui_->causesView->item(int(i))->setData(Qt::AccessibleTextRole, text);
        ui_->causesView->setRowHidden(int(i), !all && i >= std::size_t(kCausesShown));
    }
}

void ReviewWindow::showCause(int row)
{
    if (row >= 0 && std::size_t(row) < causes_.size())
        markPlaces(run_.question, causes_[std::size_t(row)].places);
}

void ReviewWindow::askNext()
{
    const std::optional<nlt::Ask> &part = finder_->next();
    if (!part) {
        endSearch();
        return;
    }
    ShowLabelText(ui_->finderQuestion, Said(nlt::AskInWords(*part)));
    ui_->finderResult->hide();
    ui_->truthRow->hide();
    for (const auto &[button, value] : answerButtons_) {
        button->setVisible(value != '0' || !failedQuestion().binary);
        button->setEnabled(true);
    }
    markPlaces(run_.question, part->range ? std::vector{*part->range} : std::vector<nlt::TextRange>{});
}

void ReviewWindow::answerPart(char value)
{
    finder_->answer(value);
    causes_ = finder_->causes();
    listCauses();
    askNext();
}

void ReviewWindow::endSearch()
{
    ui_->finderQuestion->hide();
    for (const auto &[button, value] : answerButtons_)
        button->hide();
    ui_->editButton->setEnabled(true);
    // A one-off slip is said as such, with its step when the answers point to one.
    const nlt::Ending ending = finder_->ending();
    const std::optional<nlt::Cause> &named = ending.cause;
    ShowLabelText(ui_->finderResult, Said(nlt::EndingInWords(ending)));
    ui_->finderResult->show();
    showDiagnosis();
    if (named)
        markPlaces(run_.question, named->places);
    if (named && named->row)
        ShowTruthRow(ui_->truthRow, *named->row);
}

std::optional<nlt::Cause> ReviewWindow::heldMisreading() const
{
    std::optional<nlt::Cause> held;
    if (!finder_ && causes_.size() == 1)
        held = causes_.front();
    else if (finder_ && (!searching_ || finder_->finished()))
        held = finder_->named();
    if (held && !nlt::IsMisreading(held->kind))
        held.reset();
    return held;
}

void ReviewWindow::openPractice()
{
    const std::optional<nlt::Cause> held = heldMisreading();
    if (!held)
        return;
    PracticeWindow *drill = practice_.getOrLoad(
        [&] {
            auto *fresh = new PracticeWindow(*held, failedQuestion().binary, this);
            // Closing the drill hands the keyboard back to the review.
            connect(fresh, &QObject::destroyed, this, [this] {
                activateWindow();
                ui_->practiseButton->setFocus();
            });
            return fresh;
        },
        [this](QWidget *window) { PlaceBeside(window, this); });
    ShowActive(drill);
}
