#pragma once

#include <QWidget>
#include <memory>

#include "results/runscores.h"
#include "testwindow/closereason.h"

class QLabel;

namespace Ui {
class Form2;
}

// The results window: the level reached in its title, the four figures of a
// finished run beside their captions, and "Sit Another Test".
class Form2 : public QWidget {
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

    // Unloads the window as the program does (close reason 1): hides it at
    // once and deletes it when control returns to the event loop, so it may be
    // called from inside one of its own handlers.
    void unload();

    // Answers a close request for the given reason: ends the program, refuses,
    // or returns true when the window may close.
    bool queryUnload(CloseReason reason);

protected:
    // A close request from the window system: the close box, or closing by the program.
    void closeEvent(QCloseEvent *event) override;

private:
    // "Sit Another Test": a new run from level 0 in a fresh main window.
    void Command2_Click();

    // Writes one figure into a value label and its accessible name.
    static void showValue(QLabel *label, const QString &text);

    std::unique_ptr<Ui::Form2> ui_;
    bool unloading_ = false;
};

// The results window, or nullptr while it is not loaded.
Form2 *LoadedForm2();

// Shows the results window centred on the screen, loading it afresh when it
// is not loaded. Returns it.
Form2 *ShowForm2();

// Unloads the results window (close reason 1) when it is loaded.
void UnloadForm2();
