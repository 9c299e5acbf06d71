// The help window on the built help file: its pages, contents and history.
#include <QAction>
#include <QApplication>
#include <QTextBlock>
#include <QTreeWidget>

#include "help/viewer/chmbrowser.h"
#include "help/viewer/helpwindow.h"
#include "helpfiles.h"

namespace {

using helptest::kHelpFile;
using nlt::help::HelpWindow;

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

} // namespace
