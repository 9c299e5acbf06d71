#include "help/viewer/helpwindow.h"

#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "help/viewer/chmbrowser.h"
#include "help/viewer/chmfile.h"
#include "ui_helpwindow.h"

namespace nlt::help {

namespace {

// The item role that holds an entry's page path.
constexpr int kPathRole = Qt::UserRole;

// The page path of a URL inside the help file, without its anchor.
QString PagePath(const QString &pathWithAnchor)
{
    const qsizetype hash = pathWithAnchor.indexOf(u'#');
    return hash < 0 ? pathWithAnchor : pathWithAnchor.left(hash);
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QMainWindow(parent), ui_(std::make_unique<Ui::HelpWindow>())
{
    ui_->setupUi(this);
    ui_->actionBack->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    ui_->actionForward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    ui_->actionHome->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));

    // Escape closes the help, as it closes a dialog.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    ChmBrowser *view = ui_->pageView;
    connect(ui_->actionBack, &QAction::triggered, view, &QTextBrowser::backward);
    connect(ui_->actionForward, &QAction::triggered, view, &QTextBrowser::forward);
    connect(ui_->actionHome, &QAction::triggered, this, &HelpWindow::showHome);
    connect(view, &QTextBrowser::backwardAvailable, ui_->actionBack, &QAction::setEnabled);
    connect(view, &QTextBrowser::forwardAvailable, ui_->actionForward, &QAction::setEnabled);
    connect(view, &QTextBrowser::sourceChanged, this, &HelpWindow::selectEntryFor);
    connect(ui_->contentsTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item && !item->data(0, kPathRole).toString().isEmpty())
            showPage(item->data(0, kPathRole).toString());
    });
}

HelpWindow::~HelpWindow() = default;

bool HelpWindow::openFile(const QString &path)
{
    auto file = std::make_shared<ChmFile>();
    if (!file->open(path)) {
        error_ = file->errorString();
        return false;
    }
    const QString home = file->homePath();
    if (home.isEmpty() || !file->read(PagePath(home))) {
        error_ = home.isEmpty() ? tr("The help file holds no pages.") : file->errorString();
        return false;
    }
    file_ = std::move(file);
    home_ = home;
    error_.clear();
    ui_->pageView->setChmFile(file_);
    {
        const QSignalBlocker blocker(ui_->contentsTree);
        ui_->contentsTree->clear();
        fillContents(file_->tableOfContents(), nullptr);
        ui_->contentsTree->expandAll();
    }
    showHome();
    return true;
}

QString HelpWindow::filePath() const { return file_ ? file_->path() : QString(); }

void HelpWindow::showPage(const QString &path) { ui_->pageView->setSource(ChmBrowser::urlForPath(path)); }

void HelpWindow::showHome()
{
    if (!home_.isEmpty())
        showPage(home_);
}

ChmBrowser *HelpWindow::pageView() const { return ui_->pageView; }

QTreeWidget *HelpWindow::contentsTree() const { return ui_->contentsTree; }

void HelpWindow::fillContents(const QList<TocEntry> &entries, QTreeWidgetItem *parent)
{
    for (const TocEntry &entry : entries) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(ui_->contentsTree);
        item->setText(0, entry.name);
        item->setToolTip(0, entry.name);
        item->setData(0, kPathRole, entry.local);
        fillContents(entry.children, item);
    }
}

void HelpWindow::selectEntryFor(const QUrl &url)
{
    const QString page = url.path();
    QTreeWidgetItem *match = nullptr;
    for (QTreeWidgetItemIterator it(ui_->contentsTree); *it && !match; ++it)
        if (PagePath((*it)->data(0, kPathRole).toString()).compare(page, Qt::CaseInsensitive) == 0)
            match = *it;
    const QSignalBlocker blocker(ui_->contentsTree);
    ui_->contentsTree->setCurrentItem(match);
}

} // namespace nlt::help
