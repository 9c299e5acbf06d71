#include "results/reviewwindow.h"

#include <QPalette>
#include <QShortcut>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextEdit>

#include "engine/evaluator.h"
#include "engine/explain.h"
#include "results/reviewworking.h"
#include "ui_reviewwindow.h"

namespace {

// How long typing must pause before an edited expression is worked out.
constexpr int kTypingPauseMs = 300;

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
    : QWidget(owner, Qt::Dialog), ui_(std::make_unique<Ui::ReviewWindow>()), run_(run),
      given_(run.answerGiven), working_(new WorkingModel(this)), slips_(new SlipListModel(working_, this))
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose);
    ui_->workingView->setModel(working_);
    ui_->slipsView->setModel(slips_);
    // Without the focus the box's own selection would cover the mark drawn
    // beneath it: it shows only while the box has the focus.
    QPalette boxColours = ui_->questionBox->palette();
    boxColours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::transparent);
    boxColours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                        boxColours.color(QPalette::Inactive, QPalette::Text));
    ui_->questionBox->setPalette(boxColours);
    pause_.setSingleShot(true);
    pause_.setInterval(kTypingPauseMs);

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
    connect(ui_->slipsView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { showSlip(current); });
}

ReviewWindow::~ReviewWindow() = default;

void ReviewWindow::showEvent(QShowEvent *event)
{
    // The box lays its text out again at its first resize, which comes with the
    // first show; a long question is therefore put in only now, to be laid out once.
    if (!event->spontaneous() && !shown_) {
        shown_ = true;
        backToQuestion();
    }
    QWidget::showEvent(event);
}

void ReviewWindow::workOut()
{
    pause_.stop();
    const QString text = ui_->questionBox->toPlainText();
    // The slips need the answer given, so only the failed question has them.
    showWorking(text, text == run_.question ? given_ : std::nullopt);
}

void ReviewWindow::backToQuestion()
{
    // What was typed is dropped unworked.
    pause_.stop();
    ui_->editButton->setChecked(false);
    ui_->questionBox->setPlainText(run_.question);
    showWorking(run_.question, given_);
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

void ReviewWindow::showWorking(const QString &text, std::optional<char> chosen)
{
    const std::string utf8 = text.toStdString();
    ui_->questionBox->setExtraSelections({});
    ui_->backButton->setEnabled(text != run_.question);
    const bool slipsShown = chosen.has_value();
    ui_->slipsCaption->setVisible(slipsShown);
    ui_->slipsView->setVisible(false);
    ui_->noSlipLabel->setVisible(false);
    working_->clear();
    if (text.trimmed().isEmpty()) {
        showProblem(tr("Type an expression to work it out."), std::nullopt);
        return;
    }
    if (const std::optional<nlt::SyntaxProblem> problem = nlt::FindSyntaxProblem(utf8)) {
        // The engine counts bytes of UTF-8; the person counts characters.
        const qsizetype at = QString::fromUtf8(utf8.data(), qsizetype(problem->position)).size();
        showProblem(ReviewWording::ProblemText(at + 1, QString::fromStdString(problem->message)), at);
        return;
    }
    nlt::Explanation explanation;
    try {
        explanation = nlt::ExplainExpression(utf8);
    } catch (const nlt::EvaluationError &error) {
        showProblem(QString::fromUtf8(error.what()), std::nullopt);
        return;
    }
    ui_->problemLabel->setVisible(false);
    const char value = explanation.value;
    std::vector<nlt::Slip> slips = slipsShown ? nlt::FindSlips(explanation, *chosen) : std::vector<nlt::Slip>{};
    const bool anySlip = !slips.empty();
    working_->setWorking(utf8, std::move(explanation), std::move(slips), chosen.value_or('\0'));
    say(ui_->answerLabel,
        slipsShown ? ReviewWording::AnswerSentence(*chosen, value) : ReviewWording::ValueSentence(value));
    ui_->slipsView->setVisible(slipsShown && anySlip);
    ui_->noSlipLabel->setVisible(slipsShown && !anySlip);
    if (slipsShown && !anySlip)
        say(ui_->noSlipLabel, ReviewWording::NoSlipText());
    if (working_->rowCount() > 0)
        ui_->workingView->expand(working_->index(0, 0));
}

void ReviewWindow::showProblem(const QString &problem, std::optional<qsizetype> position)
{
    say(ui_->answerLabel, tr("No value."));
    say(ui_->problemLabel, problem);
    ui_->problemLabel->setVisible(true);
    ui_->slipsCaption->setVisible(false);
    if (!position)
        return;
    QTextCursor at(ui_->questionBox->document());
    at.setPosition(int(*position));
    at.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    ui_->questionBox->setExtraSelections({Mark(at, palette(), QTextCharFormat::WaveUnderline)});
}

void ReviewWindow::highlight(const QModelIndex &index)
{
    const std::optional<nlt::TextRange> range = working_->rangeAt(index);
    if (!range) {
        ui_->questionBox->setExtraSelections({});
        return;
    }
    // The cursor ends at the start of the range, so a long group scrolls into view from its start.
    QTextCursor cursor(ui_->questionBox->document());
    cursor.setPosition(int(range->begin + range->length));
    cursor.setPosition(int(range->begin), QTextCursor::KeepAnchor);
    ui_->questionBox->setTextCursor(cursor);
    ui_->questionBox->ensureCursorVisible();
    // The box shows its own selection only while it has the focus; this mark shows it always.
    ui_->questionBox->setExtraSelections({Mark(cursor, palette(), QTextCharFormat::SingleUnderline)});
}

void ReviewWindow::showSlip(const QModelIndex &index)
{
    if (!index.isValid() || std::size_t(index.row()) >= working_->slips().size())
        return;
    const QModelIndex step = working_->indexOfStep(working_->slips()[std::size_t(index.row())].step);
    ui_->workingView->scrollTo(step);
    ui_->workingView->setCurrentIndex(step);
}

void ReviewWindow::say(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setAccessibleName(text);
}
