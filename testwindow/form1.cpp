#include "testwindow/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QShortcut>
#include <QUrl>

#include "testwindow/session.h"
#include "ui_form1.h"

#if defined(NLT_HAVE_HELPVIEWER)
#include "help/viewer/openhelp.h"
#endif

namespace {

// The dynamic property standing in for a control's tag text.
constexpr char kTag[] = "Tag";

// Events are let through at most this often while a long text is evaluated.
constexpr qint64 kEventIntervalMs = 15;

} // namespace

Form1::Form1(RunServices services, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::Form1>()), controller_(*this, std::move(services))
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());

    ui->Text1->installEventFilter(this);
    connect(ui->Command2, &QPushButton::clicked, this, [this] { controller_.Command2_Click(); });
    connect(ui->Command3, &QPushButton::clicked, this, [this] { controller_.Command3_Click(); });
    connect(ui->Command5, &QPushButton::clicked, this, [this] { controller_.Command5_Click(); });
    connect(ui->Option1, &QRadioButton::clicked, this, [this] { controller_.Option1_Click(); });
    connect(ui->Option2, &QRadioButton::clicked, this, [this] { controller_.Option2_Click(); });
    connect(ui->Command4, &QPushButton::clicked, this, &Form1::Command4_Click);

    AddShortcuts(ui->Command2, {QKeySequence(Qt::Key_1), QKeySequence(Qt::Key_T)});
    AddShortcuts(ui->Command3, {QKeySequence(Qt::Key_2), QKeySequence(Qt::Key_F)});
    AddShortcuts(ui->Command5, {QKeySequence(Qt::Key_0), QKeySequence(Qt::Key_U)});
    AddShortcuts(ui->Command4, {QKeySequence(Qt::Key_F1)});
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

void Form1::Form_Load()
{
    controller_.Form_Load();
}

bool Form1::Form_QueryUnload(CloseReason reason)
{
    return TestSession::instance().handleProgramCloseRequest(reason);
}

void Form1::closeEvent(QCloseEvent *event)
{
    CloseReason reason = CloseReason::Program;
    if (qApp->isSavingSession()) {
        reason = CloseReason::SystemShutdown;
    } else if (event->spontaneous()) {
        reason = CloseReason::User;
    }
    event->setAccepted(Form_QueryUnload(reason));
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
#if defined(NLT_HAVE_HELPVIEWER)
    OpenHelpFile(path, this);
#else
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#endif
}

QString Form1::correctAnswer() const
{
    return property(kTag).toString();
}

QString Form1::bestQuestionScore() const
{
    return ui->Command1->property(kTag).toString();
}

void Form1::setBestQuestionScore(const QString &text)
{
    ui->Command1->setProperty(kTag, text);
}

QString Form1::totalScore() const
{
    return ui->Command2->property(kTag).toString();
}

void Form1::setTotalScore(const QString &text)
{
    ui->Command2->setProperty(kTag, text);
}

void Form1::setUnknownEnabled(bool enabled)
{
    ui->Command5->setEnabled(enabled);
}

void Form1::DisableAnswerButtons()
{
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
    ui->Text1->setPlainText(QString::fromStdString(text));
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
    setProperty(kTag, QString::fromStdString(value));
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
}
