#include "testwindow/form1.h"

#include <QApplication>
#include <QKeyEvent>
#include "testwindow/buttonshortcuts.h"
#include "testwindow/helpopener.h"
#include "ui_form1.h"

Form1::Form1(TestState &state, ProgramEnd &end, HelpOpener &help, QWidget *parent)
    : ProgramWindow(end, parent), ui(std::make_unique<Ui::Form1>()), help_(help), controller_(run_, state)
{
    ui->setupUi(this);
    fixFrame();

    ui->Text1->installEventFilter(this);
    connect(ui->Command2, &QPushButton::clicked, this,
        [this] { Answer(ui->Command2, controller_.answer('1', TertiarySelected())); });
    connect(ui->Command3, &QPushButton::clicked, this,
        [this] { Answer(ui->Command3, controller_.answer('2', TertiarySelected())); });
    connect(ui->Command5, &QPushButton::clicked, this,
        [this] { Answer(ui->Command5, controller_.answer('0', TertiarySelected())); });
    connect(ui->Option1, &QRadioButton::clicked, this, &Form1::Option1_Click);
    connect(ui->Option2, &QRadioButton::clicked, this, &Form1::Option2_Click);
    connect(ui->Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(ui->Command6, &QPushButton::clicked, this, [this] {
        if (thrownAway_)
            emit reviewRequested(*thrownAway_);
    });

    // Digits answer from anywhere in the window; letters only with Alt, so
    // that typing into the expression box never answers.
    AddButtonShortcuts(ui->Command2, {Qt::Key_1, Qt::KeypadModifier | Qt::Key_1, Qt::AltModifier | Qt::Key_T});
    AddButtonShortcuts(ui->Command3, {Qt::Key_2, Qt::KeypadModifier | Qt::Key_2, Qt::AltModifier | Qt::Key_F});
    AddButtonShortcuts(ui->Command5, {Qt::Key_0, Qt::KeypadModifier | Qt::Key_0, Qt::AltModifier | Qt::Key_U});
    AddButtonShortcuts(ui->Command4, {Qt::Key_F1});
    AddButtonShortcuts(ui->Command6, {Qt::AltModifier | Qt::Key_R});
}

Form1::~Form1() = default;

void Form1::offerReview(const FinishedRun &run)
{
    thrownAway_ = run;
    ui->Command6->show();
}

void Form1::Answer(QAbstractButton *button, const AnswerOutcome &outcome)
{
    // Clicks and keys still queued for the window when its run ended change nothing.
    if (std::holds_alternative<RunAlreadyEnded>(outcome))
        return;
    // The last run's review is offered only until the next answer.
    thrownAway_.reset();
    ui->Command6->hide();
    if (const auto *ended = std::get_if<FinishedRun>(&outcome)) {
        emit runEnded(*ended);
        return;
    }
    ShowQuestion(std::get<nlt::Question>(outcome));
    // The focus goes back to the button that answered, if it can take it.
    (button->isEnabled() ? static_cast<QWidget *>(button) : ui->Text1)->setFocus();
}

void Form1::Form_Load() { ShowQuestion(controller_.startRun()); }

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Text1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        const bool entersCharacter = (!text.isEmpty() && text.front().isPrint()) || key->key() == Qt::Key_Backspace
                                  || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (entersCharacter) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Command4_Click()
{
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/" NLT_HELP_FILE_NAME);
    help_.OpenHelpFile(path, this);
}

void Form1::Option1_Click()
{
    if (TertiarySelected()) {
        ui->Command5->setEnabled(true);
    }
}

void Form1::Option2_Click()
{
    if (!TertiarySelected()) {
        ui->Command5->setEnabled(false);
    }
}

bool Form1::TertiarySelected() const { return ui->Option1->isChecked(); }

void Form1::ShowQuestion(const nlt::Question &question)
{
    // Keep the focus off Help and the mode options while the buttons are off.
    if (QWidget *focus = focusWidget(); focus == ui->Command2 || focus == ui->Command3 || focus == ui->Command5) {
        ui->Text1->setFocus();
    }
    ui->Command2->setEnabled(false);
    ui->Command3->setEnabled(false);
    ui->Command5->setEnabled(false);
    const QString level = QString::number(question.level);
    setWindowTitle(question.binary ? tr("Zentrix Raw Processing Power Binary Nested Logic Test Level: %1").arg(level)
                                   : tr("Zentrix Raw Processing Power Tertiary Nested Logic Test Level: %1").arg(level));
    ui->Text1->setPlainText(QString::fromStdString(question.text));
    ui->Command2->setEnabled(true);
    ui->Command3->setEnabled(true);
    ui->Command5->setEnabled(TertiarySelected());
    controller_.questionShown();
}
