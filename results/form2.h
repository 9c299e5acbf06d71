#pragma once

#include <memory>

#include "results/runscores.h"
#include "testwindow/programwindow.h"

class QLabel;

namespace Ui {
class Form2;
}

// The results window: the level reached in its title, the four figures of a
// finished run beside their captions, and "Sit Another Test".
class Form2 : public ProgramWindow {
    Q_OBJECT

public:
    // Loads the window with every control at its design value.
    explicit Form2(QWidget *parent = nullptr);
    ~Form2() override;

    // Appends the level reached to the present title.
    void setLevelReached(int level);

    // Writes the four figures into the value labels; each label's accessible
    // name becomes the number it shows.
    void setFigures(const nlt::RunFigures &figures);

    // Shows the window active, with the focus on "Sit Another Test".
    void showActive();

private:
    // "Sit Another Test": a new run from level 0 in a fresh main window.
    void Command2_Click();

    // Writes one figure into a value label and its accessible name.
    static void showValue(QLabel *label, const QString &text);

    std::unique_ptr<Ui::Form2> ui_;
};

// The results window: at most one, loaded afresh whenever it is shown after
// being unloaded.
WindowSlot<Form2> &ResultsWindow();
