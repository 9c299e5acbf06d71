#include "results/form2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QScreen>

#include "testwindow/form1.h"
#include "testwindow/session.h"
#include "ui_form2.h"

namespace {

// The one program-wide reference to the results window. A window still
// loaded when the event loop has finished goes with it.
QPointer<Form2> &Form2Reference()
{
    static QPointer<Form2> reference;
    static const bool deletedAtQuit = [] {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { delete reference.data(); });
        return true;
    }();
    Q_UNUSED(deletedAtQuit);
    return reference;
}

// Fixed single border with a title and a close box only.
constexpr Qt::WindowFlags kForm2Flags = Qt::Window | Qt::MSWindowsFixedSizeDialogHint
    | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

} // namespace

Form2::Form2(QWidget *parent)
    : QWidget(parent), ui_(std::make_unique<Ui::Form2>())
{
    ui_->setupUi(this);
    setWindowFlags(kForm2Flags);
    setFixedSize(size());
    connect(ui_->Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
}

Form2::~Form2() = default;

void Form2::setLevelReached(int level)
{
    setWindowTitle(tr("%1 Level %2 Tertiary Logic Achieved")
                       .arg(windowTitle(), QString::number(level)));
}

void Form2::setFigures(const nlt::RunFigures &figures)
{
    showValue(ui_->Label5, QString::number(figures.dimensions));
    showValue(ui_->Label6, nlt::FigureText(figures.aggregate));
    showValue(ui_->Label7, nlt::FigureText(figures.rawProcessing));
    showValue(ui_->Label8, nlt::FigureText(figures.projectedMean));
}

void Form2::showValue(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setAccessibleName(text);
}

void Form2::unload()
{
    unloading_ = true;
    close();
}

bool Form2::queryUnload(CloseReason reason)
{
    return TestSession::instance().handleProgramCloseRequest(reason);
}

void Form2::closeEvent(QCloseEvent *event)
{
    CloseReason reason = CloseReason::Program;
    if (!unloading_ && qApp->isSavingSession()) {
        reason = CloseReason::SystemShutdown;
    } else if (!unloading_ && event->spontaneous()) {
        reason = CloseReason::User;
    }
    if (!queryUnload(reason)) {
        event->ignore();
        return;
    }
    // Unloaded: the next showing loads a fresh window. Deletion waits for the
    // event loop because this may run inside one of the window's own handlers.
    event->accept();
    if (Form2Reference() == this) {
        Form2Reference().clear();
    }
    deleteLater();
}

void Form2::Command2_Click()
{
    nlt::TestCounters &counters = TestSession::instance().counters();
    counters.Level = 0;
    counters.TermCount = 0;
    counters.NestingRounds = 0;
    TestSession::instance().showForm1();
    unload();
}

Form2 *LoadedForm2()
{
    return Form2Reference();
}

Form2 *ShowForm2()
{
    QPointer<Form2> &reference = Form2Reference();
    if (!reference) {
        reference = new Form2;
        const QRect available = reference->screen()->availableGeometry();
        reference->move(available.center() - reference->rect().center());
    }
    reference->show();
    return reference;
}

void UnloadForm2()
{
    if (Form2 *form = Form2Reference()) {
        form->unload();
    }
}
