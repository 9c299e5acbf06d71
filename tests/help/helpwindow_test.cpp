// The help window on the built help file, and OpenHelpFile as the Help button
// uses it: one window, raised again; a message for a file it cannot show.
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTextBlock>
#include <QTreeWidget>

#include "help/viewer/chmbrowser.h"
#include "help/viewer/helpwindow.h"
#include "help/viewer/openhelp.h"
#include "helpfiles.h"

namespace {

using helptest::BuiltHelpFile;
using nlt::help::HelpWindow;

template <typename Widget>
QList<Widget *> Shown()
{
    QList<Widget *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *match = qobject_cast<Widget *>(w); match && match->isVisible())
            found.append(match);
    return found;
}

QUrl Page(const char *path) { return QUrl(QStringLiteral("chm:") + path); }

// Closes every window a test left open, so the next one starts afresh.
class HelpWindowTest : public testing::Test {
protected:
    void TearDown() override
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(HelpWindowTest, ShowsTheContentsPageAndFollowsLinks)
{
    HelpWindow window;
    ASSERT_TRUE(window.openFile(BuiltHelpFile())) << window.errorString().toStdString();
    auto *view = window.pageView();
    QTreeWidget *tree = window.contentsTree();
    EXPECT_EQ(view->source(), Page("/index.html"));
    EXPECT_TRUE(view->toPlainText().startsWith(u"Nested Logic Test Help"));
    // The heading's colour comes from the style sheet inside the help file.
    EXPECT_EQ(view->document()->begin().begin().fragment().charFormat().foreground().color(), QColor(0x1f3f6f));
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));

    emit view->anchorClicked(QUrl("truth-tables.html")); // as a click on the link does
    ASSERT_EQ(view->source(), Page("/truth-tables.html"));
    ASSERT_TRUE(tree->currentItem());
    EXPECT_EQ(tree->currentItem()->text(0), "Truth tables");
    auto *back = window.findChild<QAction *>("actionBack");
    auto *home = window.findChild<QAction *>("actionHome");
    ASSERT_TRUE(back && home);
    back->trigger();
    EXPECT_EQ(view->source(), Page("/index.html"));
    tree->setCurrentItem(tree->findItems("Levels", Qt::MatchRecursive).value(0));
    EXPECT_EQ(view->source(), Page("/levels.html"));
    home->trigger();
    EXPECT_EQ(view->source(), Page("/index.html"));
    window.showPage("/no-such-page.html");
    EXPECT_TRUE(view->toPlainText().contains(u"/no-such-page.html")); // a notice, not a blank page
}

TEST_F(HelpWindowTest, OpenHelpFileKeepsOneWindowAndItsPage)
{
    QWidget owner;
    owner.show();
    OpenHelpFile(BuiltHelpFile(), &owner);
    const auto first = Shown<HelpWindow>();
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0]->pageView()->source(), Page("/index.html"));
    EXPECT_EQ(first[0]->parentWidget(), nullptr); // outlives the window that opened it
    first[0]->showMinimized();
    first[0]->showPage("/levels.html");
    OpenHelpFile(BuiltHelpFile(), &owner);
    ASSERT_EQ(Shown<HelpWindow>(), first);
    EXPECT_FALSE(first[0]->isMinimized());
    EXPECT_EQ(first[0]->pageView()->source(), Page("/levels.html"));
    EXPECT_TRUE(Shown<QMessageBox>().isEmpty());

    // A file it cannot read gives a message and leaves the window on its file.
    QTemporaryDir dir;
    OpenHelpFile(helptest::WriteCopy(dir, "<html>no</html>"), &owner);
    EXPECT_EQ(Shown<QMessageBox>().size(), 1);
    ASSERT_EQ(Shown<HelpWindow>(), first);
    EXPECT_EQ(first[0]->filePath(), BuiltHelpFile());
}

TEST_F(HelpWindowTest, AFileItCannotShowGivesOneNonBlockingMessageNamingIt)
{
    const QByteArray good = helptest::BuiltHelpBytes();
    const struct { const char *label; std::optional<QByteArray> bytes; } cases[] = {
        {"missing", std::nullopt},
        {"truncated", good.left(good.size() / 3)},
        {"corrupted directory header", QByteArray(good).replace(0x78, 0x54, QByteArray(0x54, char(0xa5)))},
        {"not a help file", QByteArray("<html>no</html>")},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const QString path = c.bytes ? helptest::WriteCopy(dir, *c.bytes) : dir.filePath("help - zentrix.chm");
        QWidget owner;
        owner.show();
        OpenHelpFile(path, &owner); // returns at once: nothing waits for the message
        OpenHelpFile(path, &owner); // a second press does not pile up messages
        const auto boxes = Shown<QMessageBox>();
        ASSERT_EQ(boxes.size(), 1) << c.label;
        EXPECT_TRUE(boxes[0]->text().contains(QDir::toNativeSeparators(path))) << c.label;
        EXPECT_FALSE(boxes[0]->informativeText().isEmpty()) << c.label;
        EXPECT_EQ(boxes[0]->windowModality(), Qt::NonModal) << c.label;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.label;
        EXPECT_TRUE(Shown<HelpWindow>().isEmpty()) << c.label;
    }
}

} // namespace
