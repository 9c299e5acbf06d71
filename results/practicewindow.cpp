#include "results/practicewindow.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QShortcut>

#include "results/labeltext.h"
#include "engine/diagnosis.h"
#include "engine/wording.h"
#include "results/truthrowtable.h"
#include "testwindow/buttonshortcuts.h"
#include "ui_practicewindow.h"

namespace {

// A value with its word: "False (2)".
QString ValueWithWord(char value)
{
    const QString word = value == '1' ? PracticeWindow::tr("True")
                       : value == '2' ? PracticeWindow::tr("False")
                                      : PracticeWindow::tr("Unknown");
    return QStringLiteral("%1 (%2)").arg(word, QChar::fromLatin1(value));
}

// Text as rich text, with [begin, begin + length) underlined.
QString Underlined(const std::string &text, nlt::TextRange range)
{
    const auto piece = [&](std::size_t from, std::size_t n) {
        return QString::fromStdString(text.substr(from, n)).toHtmlEscaped();
    };
    return piece(0, range.begin) + QStringLiteral("<u>") + piece(range.begin, range.length) + QStringLiteral("</u>")
         + piece(range.begin + range.length, std::string::npos);
}

} // namespace

PracticeWindow::PracticeWindow(const nlt::Cause &cause, bool binary, QWidget *owner,
    std::unique_ptr<nlt::RandomSource> random)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                         | Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::PracticeWindow>()), cause_(cause), binary_(binary), random_(std::move(random))
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(size());
    // The rule alone, without where it acted in the failed question.
    cause_.place.reset();
    ShowLabelText(ui_->ruleLabel, tr("Practise this rule: %1").arg(QString::fromStdString(nlt::DescribeCause(cause_))));
    ui_->truthRow->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    connect(ui_->closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(ui_->againButton, &QPushButton::clicked, this, &PracticeWindow::practiseAgain);
    connect(ui_->nextButton, &QPushButton::clicked, this, [this] {
        if (++index_ < drill_.size())
            showItem();
        else
            showEnd();
    });
    // The answers of the test: the buttons (Alt+T, Alt+F, Alt+U by their
    // captions) and the keys 1, 2 and 0, on the keypad too.
    answerButtons_ = {{ui_->practiseTrue, '1'}, {ui_->practiseFalse, '2'}, {ui_->practiseUnknown, '0'}};
    for (const auto &[button, value] : answerButtons_) {
        connect(button, &QAbstractButton::clicked, this, [this, value = value] { answer(value); });
        const auto key = Qt::Key(Qt::Key_0 + (value - '0'));
        for (const QKeySequence &sequence : {QKeySequence(key), QKeySequence(Qt::KeypadModifier | key)})
            connect(new QShortcut(sequence, this), &QShortcut::activated, button, [button = button] {
                if (button->isVisible() && button->isEnabled())
                    button->click();
            });
    }
    ui_->practiseUnknown->setVisible(!binary_);
    practiseAgain();
}

PracticeWindow::~PracticeWindow() = default;

void PracticeWindow::practiseAgain()
{
    drill_ = nlt::DrawDrill(cause_, binary_, *random_);
    index_ = 0;
    right_ = 0;
    cases_.clear();
    showItem();
}

void PracticeWindow::keyPressEvent(QKeyEvent *event)
{
    if (!PressFocusedButton(this, event))
        QWidget::keyPressEvent(event);
}

void PracticeWindow::showItem()
{
    const nlt::PracticeItem &item = drill_[index_];
    ShowLabelText(ui_->progressLabel, tr("Expression %1 of %2").arg(index_ + 1).arg(drill_.size()));
    ui_->expressionLabel->setText(QString::fromStdString(item.text).toHtmlEscaped());
    ui_->expressionLabel->setAccessibleName(QString::fromStdString(item.text));
    ui_->feedbackLabel->hide();
    ui_->truthRow->hide();
    ui_->nextButton->hide();
    ui_->againButton->hide();
    for (const auto &[button, value] : answerButtons_) {
        button->setVisible(value != '0' || !binary_);
        button->setEnabled(true);
    }
    ui_->practiseTrue->setFocus();
}

void PracticeWindow::answer(char value)
{
    const nlt::PracticeItem &item = drill_[index_];
    const bool right = value == item.right;
    right_ += right;
    if (item.step && item.misread != item.right) {
        const auto known = std::ranges::find(cases_, item.step->caseName, &std::pair<std::string, bool>::first);
        if (known == cases_.end())
            cases_.emplace_back(item.step->caseName, !right);
        else
            known->second = !right;
    }
    for (const auto &[button, v] : answerButtons_)
        button->setEnabled(false);
    QString said = right
                     ? tr("Right: the answer is %1.").arg(ValueWithWord(item.right))
                     : tr("Wrong: you answered %1; the answer is %2.").arg(ValueWithWord(value), ValueWithWord(item.right));
    ui_->truthRow->hide();
    if (!right && item.step && item.misread != item.right) {
        said += QLatin1Char(' ') + ruleActs(item);
        ui_->expressionLabel->setText(Underlined(item.text, item.step->misread.range));
        if (item.step->row)
            ShowTruthRow(ui_->truthRow, *item.step->row);
    }
    ShowLabelText(ui_->feedbackLabel, said);
    ui_->feedbackLabel->show();
    ui_->nextButton->show();
    ui_->nextButton->setFocus();
}

QString PracticeWindow::ruleActs(const nlt::PracticeItem &item) const
{
    const nlt::PracticeStep &step = *item.step;
    const QString where = QString::fromStdString(step.caseName);
    if (cause_.kind == nlt::CauseKind::AndFirst || cause_.kind == nlt::CauseKind::RightToLeft)
        return tr("The rule acts in %1: every word has the same rank, and a chain goes strictly from left to right.")
            .arg(where);
    if (cause_.kind == nlt::CauseKind::NotNegatesRest)
        return tr("The rule acts at %1: \"Not\" negates only the operand right after it.").arg(where);
    const char rightValue = step.right ? step.right->value : '\0';
    if (rightValue == '\0')
        return tr("The rule acts at %1.").arg(where);
    return tr("The rule acts at %1: it gives %2, not %3.")
        .arg(where, QChar::fromLatin1(rightValue), QChar::fromLatin1(step.misread.value));
}

void PracticeWindow::showEnd()
{
    ShowLabelText(ui_->progressLabel, tr("The end of the drill"));
    const QString score = tr("%1 of %2 right").arg(right_).arg(drill_.size());
    ui_->expressionLabel->setText(score);
    ui_->expressionLabel->setAccessibleName(score);
    QStringList wrong;
    for (const auto &[name, stillWrong] : cases_)
        if (stillWrong)
            wrong << QString::fromStdString(name);
    ShowLabelText(ui_->feedbackLabel, wrong.isEmpty() ? tr("None of the rule's cases was still wrong.")
                                                      : tr("Still wrong: %1.").arg(wrong.join(QStringLiteral("; "))));
    ui_->truthRow->hide();
    ui_->nextButton->hide();
    for (const auto &[button, value] : answerButtons_)
        button->hide();
    ui_->againButton->show();
    ui_->againButton->setFocus();
}
