// HelpOpener as the Help button uses it: one help window beside its
// opener, raised again, closed by Escape; a message for a file it cannot show.
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <tuple>

#include "../help/helpfiles.h"
#include "help/viewer/chmbrowser.h"
#include "help/viewer/helpwindow.h"
#include "testwindow/helpopener.h"
#include "testwindow/windowslot.h"

namespace {

using helptest::kHelpFile;
using nlt::help::HelpWindow;

// The visible top-level windows of one kind.
template <typename Widget> QList<Widget *> Shown()
{
    QList<Widget *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *match = qobject_cast<Widget *>(w); match && match->isVisible())
            found.append(match);
    return found;
}

// Closes every window a test left open, so the next one starts afresh.
class HelpOpenerTest : public testing::Test {
protected:
    void TearDown() override
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    HelpOpener opener;
};

// One window that outlives its opener, raised again on its page; a file it
// cannot read (a missing or foreign one; the reader's refusals are tested
// apart) leaves it on its file and gives one message naming the file, shown
// without blocking, even when Help is pressed twice.
TEST_F(HelpOpenerTest, OpenHelpFileKeepsOneWindowAndItsPage)
{
    QWidget owner;
    owner.show();
    opener.OpenHelpFile(kHelpFile, &owner);
    const auto first = Shown<HelpWindow>();
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0]->parentWidget(), nullptr);
    first[0]->showMinimized();
    first[0]->showPage("/levels.html");
    opener.OpenHelpFile(kHelpFile, &owner);
    ASSERT_EQ(Shown<HelpWindow>(), first);
    EXPECT_FALSE(first[0]->isMinimized());
    EXPECT_EQ(first[0]->pageView()->source(), QUrl("chm:/levels.html"));
    EXPECT_TRUE(Shown<QMessageBox>().isEmpty());
    QTemporaryDir dir;
    for (const QString &path : {helptest::WriteCopy(dir, "<html>no</html>"), dir.filePath("missing.chm")}) {
        for (int press = 0; press < 2; ++press)
            opener.OpenHelpFile(path, &owner);
        const auto boxes = Shown<QMessageBox>();
        ASSERT_EQ(boxes.size(), 1) << path.toStdString();
        EXPECT_TRUE(boxes[0]->text().contains(QDir::toNativeSeparators(path)) && !boxes[0]->informativeText().isEmpty());
        EXPECT_TRUE(boxes[0]->windowModality() == Qt::NonModal && !QApplication::activeModalWidget());
        boxes[0]->close();
    }
    ASSERT_EQ(Shown<HelpWindow>(), first);
    EXPECT_EQ(first[0]->filePath(), kHelpFile);
    // Escape closes it, and the focus goes back to the window that opened it.
    first[0]->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(first[0]));
    QTest::keyClick(first[0], Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Shown<HelpWindow>().isEmpty());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
}

} // namespace
