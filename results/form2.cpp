#include "results/form2.h"

#include "results/labeltext.h"
#include "results/reviewwindow.h"
#include "results/sitting.h"
#include "results/sittingwindow.h"
#include "results/timetext.h"
#include "testwindow/buttonshortcuts.h"
#include "ui_form2.h"

Form2::Form2(ProgramEnd &end, QWidget *parent) : ProgramWindow(end, parent), ui_(std::make_unique<Ui::Form2>())
{
    ui_->setupUi(this);
    fixFrame();
    connect(ui_->Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(ui_->Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    // The caption stays as designed, so Alt+R is a shortcut of its own.
    AddButtonShortcuts(ui_->Command3, {Qt::AltModifier | Qt::Key_R});
    ui_->sittingButton->hide();
    connect(ui_->sittingButton, &QPushButton::clicked, this, &Form2::SittingButton_Click);
    AddButtonShortcuts(ui_->sittingButton, {Qt::AltModifier | Qt::Key_S});
}

Form2::~Form2() = default;

void Form2::setLevelReached(int level)
{
    setWindowTitle(tr("%1 Level %2 Tertiary Logic Achieved").arg(windowTitle(), QString::number(level)));
}

void Form2::setFigures(const nlt::RunFigures &figures)
{
    ShowLabelText(ui_->Label5, QString::number(figures.dimensions));
    ShowLabelText(ui_->Label6, nlt::FigureText(figures.aggregate));
    ShowLabelText(ui_->Label7, nlt::FigureText(figures.rawProcessing));
    ShowLabelText(ui_->Label8, nlt::FigureText(figures.projectedMean));
}

void Form2::setFinishedRun(const FinishedRun &run)
{
    run_ = run;
    if (run.record && run.record->Times().Count() > 0) {
        ShowLabelText(ui_->timeLabel, nlt::RunTimeText(run.record->Times()));
        ShowLabelText(ui_->failedTimeLabel, nlt::FailedTimeText(run.record->Times()));
    }
}

void Form2::setSitting(const Sitting *sitting)
{
    sitting_ = sitting;
    ui_->sittingButton->setVisible(sitting != nullptr);
}

void Form2::showActive()
{
    ShowActive(this);
    ui_->Command2->setFocus();
}

void Form2::Command3_Click()
{
    // Beside the results, so both can be read at once.
    ShowActive(review_.getOrLoad([this] { return new ReviewWindow(run_, this); },
        [this](QWidget *review) { PlaceBeside(review, this); }));
}

ReviewWindow *Form2::reviewWindow() const { return review_.get(); }

void Form2::SittingButton_Click()
{
    const auto runs = sitting_->Runs();
    ShowActive(sittingWindow_.getOrLoad([&] { return new SittingWindow(runs, int(runs.size()) - 1, this); },
        [this](QWidget *window) { PlaceBeside(window, this); }));
}

SittingWindow *Form2::sittingWindow() const { return sittingWindow_.get(); }

void Form2::hideEvent(QHideEvent *event)
{
    review_.release();
    sittingWindow_.release();
    ProgramWindow::hideEvent(event);
}
