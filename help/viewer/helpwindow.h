#pragma once

#include <QMainWindow>
#include <memory>

#include "help/viewer/sitemap.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class HelpWindow;
}

namespace nlt::help {

class ChmBrowser;
class ChmFile;

// The program's own help viewer: the help file's table of contents beside a
// page view, with Back, Forward and Contents. Not modal; it never blocks the
// window that opened it.
class HelpWindow : public QMainWindow {
    Q_OBJECT

public:
    // An empty window laid out from its form; openFile() fills it.
    explicit HelpWindow(QWidget *parent = nullptr);
    // Closes the help file once the page view no longer needs it.
    ~HelpWindow() override;

    // Opens the help file at path and shows its contents page. False, with
    // errorString() saying why, when the file or its contents page cannot be
    // read; the window then keeps what it showed before.
    bool openFile(const QString &path);
    // Path of the help file on show, empty before the first successful openFile().
    QString filePath() const;
    // Why the last openFile() failed.
    QString errorString() const { return error_; }

    // Shows the page at path inside the help file, such as "/levels.html#operators".
    void showPage(const QString &path);
    // Shows the contents page.
    void showHome();

    // The page view, for tests and for focus handling.
    ChmBrowser *pageView() const;
    // The table of contents.
    QTreeWidget *contentsTree() const;

private:
    // Rebuilds the contents tree from the help file's table of contents.
    void fillContents(const QList<TocEntry> &entries, QTreeWidgetItem *parent);
    // Selects the contents entry of the page on show, if it has one.
    void selectEntryFor(const QUrl &url);

    std::unique_ptr<Ui::HelpWindow> ui_;
    std::shared_ptr<ChmFile> file_;
    QString home_;
    QString error_;
};

} // namespace nlt::help
