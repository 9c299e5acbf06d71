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

using helptest::kHelpFile;
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

// Links, Back, Home and the contents tree move the page view and the tree together.
TEST_F(HelpWindowTest, ShowsTheContentsPageAndFollowsLinks)
{
    HelpWindow window;
    ASSERT_TRUE(window.openFile(kHelpFile)) << window.errorString().toStdString();
    auto *view = window.pageView();
    QTreeWidget *tree = window.contentsTree();
    EXPECT_TRUE(view->toPlainText().startsWith(u"Nested Logic Test Help"));
    // The heading's colour comes from the style sheet inside the help file.
    EXPECT_EQ(view->document()->begin().begin().fragment().charFormat().foreground().color(), QColor(0x1f3f6f));
    const auto at = [&] { return std::pair(view->source(), tree->currentItem() ? tree->currentItem()->text(0) : ""); };
    EXPECT_EQ(at(), std::pair(Page("/index.html"), QString("Nested Logic Test Help")));
    emit view->anchorClicked(QUrl("truth-tables.html")); // as a click on the link does
    EXPECT_EQ(at(), std::pair(Page("/truth-tables.html"), QString("Truth tables")));
    window.findChild<QAction *>("actionBack")->trigger();
    EXPECT_EQ(at(), std::pair(Page("/index.html"), QString("Nested Logic Test Help")));
    tree->setCurrentItem(tree->findItems("Levels", Qt::MatchRecursive).value(0));
    EXPECT_EQ(view->source(), Page("/levels.html"));
    window.findChild<QAction *>("actionHome")->trigger();
    EXPECT_EQ(view->source(), Page("/index.html"));
    window.showPage("/no-such-page.html");
    EXPECT_TRUE(view->toPlainText().contains(u"/no-such-page.html")); // a notice, not a blank page
}

// One window that outlives its opener, raised again on its page; a file it
// cannot read leaves it on its file and gives a message.
TEST_F(HelpWindowTest, OpenHelpFileKeepsOneWindowAndItsPage)
{
    QWidget owner;
    owner.show();
    OpenHelpFile(kHelpFile, &owner);
    const auto first = Shown<HelpWindow>();
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0]->parentWidget(), nullptr);
    first[0]->showMinimized();
    first[0]->showPage("/levels.html");
    OpenHelpFile(kHelpFile, &owner);
    ASSERT_EQ(Shown<HelpWindow>(), first);
    EXPECT_FALSE(first[0]->isMinimized());
    EXPECT_EQ(first[0]->pageView()->source(), Page("/levels.html"));
    EXPECT_TRUE(Shown<QMessageBox>().isEmpty());
    QTemporaryDir dir;
    OpenHelpFile(helptest::WriteCopy(dir, "<html>no</html>"), &owner);
    EXPECT_EQ(Shown<QMessageBox>().size(), 1);
    ASSERT_EQ(Shown<HelpWindow>(), first);
    EXPECT_EQ(first[0]->filePath(), kHelpFile);
}

// Missing, truncated, corrupted or foreign: one message naming the file,
// shown without blocking, even when Help is pressed twice; no help window.
TEST_F(HelpWindowTest, AFileItCannotShowGivesOneNonBlockingMessageNamingIt)
{
    const QByteArray good = helptest::BuiltHelpBytes();
    const std::optional<QByteArray> cases[] = {std::nullopt, good.left(good.size() / 3),
                                               QByteArray(good).replace(0x78, 0x54, QByteArray(0x54, char(0xa5))),
                                               QByteArray("<html>no</html>")};
    for (const auto &bytes : cases) {
        QTemporaryDir dir;
        const QString path = bytes ? helptest::WriteCopy(dir, *bytes) : dir.filePath("help - zentrix.chm");
        QWidget owner;
        owner.show();
        OpenHelpFile(path, &owner);
        OpenHelpFile(path, &owner);
        const auto boxes = Shown<QMessageBox>();
        ASSERT_EQ(boxes.size(), 1) << path.toStdString();
        EXPECT_TRUE(boxes[0]->text().contains(QDir::toNativeSeparators(path)) && !boxes[0]->informativeText().isEmpty());
        EXPECT_TRUE(boxes[0]->windowModality() == Qt::NonModal && !QApplication::activeModalWidget());
        EXPECT_TRUE(Shown<HelpWindow>().isEmpty());
    }
}

} // namespace
