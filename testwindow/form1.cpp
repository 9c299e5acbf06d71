#include "testwindow/form1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>

#include "testwindow/helpopener.h"
#include "ui_form1.h"

namespace {

// Events are let through at most this often while a long text is evaluated.
constexpr qint64 kEventIntervalMs = 15;

} // namespace

Form1::Form1(TestSession &session, QWidget *parent)
    : ProgramWindow(parent), ui(std::make_unique<Ui::Form1>()), controller_(run_, *this, session)
{
    ui->setupUi(this);
    fixFrame();

    ui->Text1->installEventFilter(this);
    connect(ui->Command2, &QPushButton::clicked, this, [this] { Answer(ui->Command2, &RunController::Command2_Click); });
    connect(ui->Command3, &QPushButton::clicked, this, [this] { Answer(ui->Command3, &RunController::Command3_Click); });
    connect(ui->Command5, &QPushButton::clicked, this, [this] { Answer(ui->Command5, &RunController::Command5_Click); });
    connect(ui->Option1, &QRadioButton::clicked, this, [this] { controller_.Option1_Click(); });
    connect(ui->Option2, &QRadioButton::clicked, this, [this] { controller_.Option2_Click(); });
    connect(ui->Command4, &QPushButton::clicked, this, &Form1::Command4_Click);

    // Digits answer from anywhere in the window; letters only with Alt, so
    // that typing into the expression box never answers.
    AddShortcuts(ui->Command2, {Qt::Key_1, Qt::KeypadModifier | Qt::Key_1, Qt::AltModifier | Qt::Key_T});
    AddShortcuts(ui->Command3, {Qt::Key_2, Qt::KeypadModifier | Qt::Key_2, Qt::AltModifier | Qt::Key_F});
    AddShortcuts(ui->Command5, {Qt::Key_0, Qt::KeypadModifier | Qt::Key_0, Qt::AltModifier | Qt::Key_U});
    AddShortcuts(ui->Command4, {Qt::Key_F1});
}

Form1::~Form1() = default;

void Form1::AddShortcuts(QAbstractButton *button, std::initializer_list<QKeySequence> keys)
{
    for (const QKeySequence &key : keys) {
        auto *shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled() && button->isVisible()) {
                button->click();
            }
        });
    }
}

void Form1::Answer(QAbstractButton *button, void (RunController::*judge)())
{
    answered_ = button;
    (controller_.*judge)();
}

void Form1::Form_Load()
{
    controller_.Form_Load();
}

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
    OpenHelpFile(path, this);
}

void Form1::setUnknownEnabled(bool enabled)
{
    ui->Command5->setEnabled(enabled);
}

void Form1::DisableAnswerButtons()
{
    // Keep the focus off Help and the mode options while the buttons are off.
    if (QWidget *focus = focusWidget(); focus == ui->Command2 || focus == ui->Command3 || focus == ui->Command5) {
        ui->Text1->setFocus();
    }
    ui->Command2->setEnabled(false);
    ui->Command3->setEnabled(false);
    ui->Command5->setEnabled(false);
    // The first chance of a build to process events is always taken.
    sinceEvents_.invalidate();
}

void Form1::SetTitle(const std::string &title)
{
    setWindowTitle(QString::fromStdString(title));
}

void Form1::SetExpression(const std::string &text)
{
    run_.question = QString::fromStdString(text);
    ui->Text1->setPlainText(run_.question);
}

void Form1::ProcessPendingEvents()
{
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < kEventIntervalMs) {
        return;
    }
    QCoreApplication::processEvents();
    sinceEvents_.start();
}

void Form1::StoreCorrectAnswer(const std::string &value)
{
    run_.correctAnswer = QString::fromStdString(value);
}

bool Form1::TertiarySelected() const
{
    return ui->Option1->isChecked();
}

void Form1::EnableAnswerButtons(bool unknownToo)
{
    ui->Command2->setEnabled(true);
    ui->Command3->setEnabled(true);
    if (unknownToo) {
        ui->Command5->setEnabled(true);
    }
    // The focus goes back to the button that answered, if it can take it.
    if (answered_) {
        (answered_->isEnabled() ? static_cast<QWidget *>(answered_) : ui->Text1)->setFocus();
        answered_ = nullptr;
    }
}
