// The help window on the built help file: its pages, contents and history.
#include <QAction>
#include <QApplication>
#include <QTextBlock>
#include <QTreeWidget>

#include "help/viewer/chmbrowser.h"
#include "help/viewer/helpwindow.h"
#include "helpfiles.h"

namespace {

// Links, Back, Home and the contents tree move the page view and the tree together.
TEST(HelpWindow, ShowsTheContentsPageAndFollowsLinks)
{
    int argc = 1;
    char name[] = "help_tests", *argv[] = {name};
    QApplication app(argc, argv); // made here, not at start-up: listing the tests needs no display
    nlt::help::HelpWindow window;
    ASSERT_TRUE(window.openFile(helptest::kHelpFile)) << window.errorString().toStdString();
    auto *view = window.pageView();
    QTreeWidget *tree = window.contentsTree();
    auto *back = window.findChild<QAction *>("actionBack");
    // The page shown, its entry in the tree, and "<" while Back is enabled.
    const auto at = [&] {
        return view->source().toString() + ' ' + (tree->currentItem() ? tree->currentItem()->text(0) : "?")
             + (back->isEnabled() ? " <" : "");
    };
    // The page is drawn, its heading coloured by the style sheet inside the help file.
    EXPECT_EQ(view->document()->begin().begin().fragment().charFormat().foreground().color(), QColor(0x1f3f6f));
    EXPECT_EQ(at(), "chm:/index.html Nested Logic Test Help");
    emit view->anchorClicked(QUrl("truth-tables.html")); // as a click on the link does
    EXPECT_EQ(at(), "chm:/truth-tables.html Truth tables <");
    emit view->anchorClicked(QUrl("index.html")); // the page's own link back to the contents
    back->trigger();
    EXPECT_EQ(at(), "chm:/truth-tables.html Truth tables <");
    tree->setCurrentItem(tree->findItems("Levels", Qt::MatchRecursive).value(0));
    EXPECT_EQ(at(), "chm:/levels.html Levels <");
    window.findChild<QAction *>("actionHome")->trigger();
    EXPECT_EQ(at(), "chm:/index.html Nested Logic Test Help <");
    window.showPage("/no-such-page.html");
    EXPECT_TRUE(view->toPlainText().contains(u"/no-such-page.html")); // a notice, not a blank page
}

} // namespace
