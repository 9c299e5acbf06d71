// The help window on the built help file, and OpenHelpFile as the Help button
// uses it: one window, raised again; a message for a file it cannot show.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include "help/viewer/chmbrowser.h"
#include "help/viewer/helpwindow.h"
#include "help/viewer/openhelp.h"
#include "helpfiles.h"

namespace {

using nlt::help::ChmBrowser;
using nlt::help::HelpWindow;

// Every top-level widget of a kind.
template <typename Widget>
QList<Widget *> Windows()
{
    QList<Widget *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *match = qobject_cast<Widget *>(w); match && match->isVisible())
            found.append(match);
    return found;
}

// Closes every window a test left open, so the next one starts afresh.
class HelpWindowTest : public testing::Test {
protected:
    void TearDown() override
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
};

// Clicks the first link of the page on show whose target is href.
bool ClickLink(ChmBrowser *view, const QString &href)
{
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(view->document());
            cursor.setPosition(fragment.position() + 1);
            view->ensureCursorVisible();
            view->setTextCursor(cursor);
            view->ensureCursorVisible();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cursorRect(cursor).center());
            return true;
        }
    }
    return false;
}

TEST_F(HelpWindowTest, ShowsTheContentsPageWithItsStyleAndTheContentsTree)
{
    HelpWindow window;
    ASSERT_TRUE(window.openFile(helptest::BuiltHelpFile())) << window.errorString().toStdString();
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Nested Logic Test Help"));
    EXPECT_EQ(window.pageView()->source(), QUrl(QStringLiteral("chm:/index.html")));
    EXPECT_TRUE(window.pageView()->toPlainText().startsWith(QStringLiteral("Nested Logic Test Help")));

    // The heading's colour comes from the style sheet inside the help file.
    const QTextCharFormat heading = window.pageView()->document()->begin().begin().fragment().charFormat();
    EXPECT_EQ(heading.foreground().color(), QColor(QStringLiteral("#1f3f6f")));

    QTreeWidget *tree = window.contentsTree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Nested Logic Test Help"));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 6);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
}

TEST_F(HelpWindowTest, FollowsLinksAndGoesBackAndHome)
{
    HelpWindow window;
    ASSERT_TRUE(window.openFile(helptest::BuiltHelpFile()));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ChmBrowser *view = window.pageView();

    ASSERT_TRUE(ClickLink(view, QStringLiteral("truth-tables.html")));
    EXPECT_EQ(view->source(), QUrl(QStringLiteral("chm:/truth-tables.html")));
    EXPECT_TRUE(view->toPlainText().contains(QStringLiteral("Truth tables")));
    EXPECT_EQ(window.contentsTree()->currentItem()->text(0), QStringLiteral("Truth tables"));

    auto *back = window.findChild<QAction *>(QStringLiteral("actionBack"));
    auto *home = window.findChild<QAction *>(QStringLiteral("actionHome"));
    ASSERT_TRUE(back && home);
    EXPECT_TRUE(back->isEnabled());
    back->trigger();
    EXPECT_EQ(view->source(), QUrl(QStringLiteral("chm:/index.html")));

    // A contents entry shows its page; Contents returns to the first page.
    QTreeWidgetItem *levels = window.contentsTree()->findItems(QStringLiteral("Levels"), Qt::MatchRecursive).value(0);
    ASSERT_TRUE(levels);
    window.contentsTree()->setCurrentItem(levels);
    EXPECT_EQ(view->source(), QUrl(QStringLiteral("chm:/levels.html")));
    home->trigger();
    EXPECT_EQ(view->source(), QUrl(QStringLiteral("chm:/index.html")));
}

TEST_F(HelpWindowTest, AMissingPageShowsANoticeInsteadOfNothing)
{
    HelpWindow window;
    ASSERT_TRUE(window.openFile(helptest::BuiltHelpFile()));
    window.showPage(QStringLiteral("/no-such-page.html"));
    EXPECT_TRUE(window.pageView()->toPlainText().contains(QStringLiteral("/no-such-page.html")));
}

TEST_F(HelpWindowTest, OpenHelpFileTwiceGivesOneWindowRaised)
{
    QWidget owner;
    owner.show();
    OpenHelpFile(helptest::BuiltHelpFile(), &owner);
    const auto first = Windows<HelpWindow>();
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0]->pageView()->source(), QUrl(QStringLiteral("chm:/index.html")));
    EXPECT_FALSE(first[0]->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    first[0]->showMinimized();
    first[0]->showPage(QStringLiteral("/levels.html"));
    OpenHelpFile(helptest::BuiltHelpFile(), &owner);
    const auto second = Windows<HelpWindow>();
    ASSERT_EQ(second.size(), 1);
    EXPECT_EQ(second[0], first[0]);
    EXPECT_FALSE(second[0]->isMinimized());
    // Raising keeps the page the reader was on.
    EXPECT_EQ(second[0]->pageView()->source(), QUrl(QStringLiteral("chm:/levels.html")));
    EXPECT_TRUE(Windows<QMessageBox>().isEmpty());

    // The help window does not belong to the window that opened it.
    EXPECT_EQ(second[0]->parentWidget(), nullptr);
}

// A help file OpenHelpFile cannot show, made in a temporary folder.
struct BadFile {
    const char *label;
    std::function<QByteArray(const QByteArray &)> bytes; // empty function: no file at all
};

class UnusableHelpFile : public HelpWindowTest, public testing::WithParamInterface<BadFile> {};

TEST_P(UnusableHelpFile, GivesANonBlockingMessageNamingThePath)
{
    QTemporaryDir dir;
    const QString path = GetParam().bytes ? helptest::WriteCopy(dir, GetParam().bytes(helptest::BuiltHelpBytes()))
                                          : dir.filePath(QStringLiteral("help - zentrix.chm"));
    QWidget owner;
    owner.show();
    OpenHelpFile(path, &owner); // returns at once: nothing here waits for the message
    const auto boxes = Windows<QMessageBox>();
    ASSERT_EQ(boxes.size(), 1) << GetParam().label;
    EXPECT_TRUE(boxes[0]->text().contains(QDir::toNativeSeparators(path))) << GetParam().label;
    EXPECT_FALSE(boxes[0]->informativeText().isEmpty()) << GetParam().label;
    EXPECT_EQ(boxes[0]->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(Windows<HelpWindow>().isEmpty()) << GetParam().label;

    // A second press does not pile up messages.
    OpenHelpFile(path, &owner);
    EXPECT_EQ(Windows<QMessageBox>().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnusableHelpFile,
    testing::Values(BadFile{"missing", {}},
                    BadFile{"truncated", [](const QByteArray &b) { return b.left(b.size() / 3); }},
                    BadFile{"corrupted header", [](const QByteArray &b) {
                                QByteArray copy = b;
                                for (int i = 0x78; i < 0x78 + 0x54; ++i)
                                    copy[i] = char(0xa5);
                                return copy;
                            }},
                    BadFile{"not a help file", [](const QByteArray &) { return QByteArray("<html>no</html>"); }}),
    [](const auto &info) {
        QString name = QString::fromUtf8(info.param.label);
        return name.remove(u' ').toStdString();
    });

TEST_F(HelpWindowTest, AFailedOpenLeavesAnOpenHelpWindowAlone)
{
    OpenHelpFile(helptest::BuiltHelpFile(), nullptr);
    ASSERT_EQ(Windows<HelpWindow>().size(), 1);
    HelpWindow *window = Windows<HelpWindow>()[0];
    OpenHelpFile(QStringLiteral("/nonexistent/help - zentrix.chm"), nullptr);
    EXPECT_EQ(Windows<QMessageBox>().size(), 1);
    ASSERT_EQ(Windows<HelpWindow>().size(), 1);
    EXPECT_EQ(Windows<HelpWindow>()[0], window);
    EXPECT_EQ(window->filePath(), helptest::BuiltHelpFile());
}

} // namespace
