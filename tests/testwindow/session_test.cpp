#include <csignal>

#include "testwindow/closereason.h"
#include "testwindow/windowslot.h"
#include "windowfixture.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

// Where a window opened beside another goes, worked by hand for the results
// (536 x 280 with its title bar, buttons down to 191) and the review (720 x 550),
// and for the main window (536 x 371, buttons down to 207) and the help (900 x 650).
TEST(PlaceBesideIn, PutsBothWindowsWhereTheScreenHasRoom)
{
    const QSize results(536, 280), review(720, 550), form1(536, 371), help(900, 650);
    // The screen's area, the opener's frame, how far down its buttons reach, the window's size and least size;
    // then the opener's frame and the window's frame after.
    const std::tuple<QRect, QRect, int, QSize, QSize, QRect, QRect> rows[] = {
        // Side by side, the results moved left as little as that takes; already at the left, not moved.
        {{0, 0, 1600, 1000}, {{532, 360}, results}, 191, review, {400, 300}, {{336, 360}, results}, {880, 360, 720, 550}},
        {{0, 0, 1600, 1000}, {{0, 0}, results}, 191, review, {400, 300}, {{0, 0}, results}, {544, 0, 720, 550}},
        // At the right edge the review goes on the left, where the results need not move.
        {{0, 0, 1600, 1000}, {{1064, 100}, results}, 191, review, {400, 300}, {{1064, 100}, results}, {336, 100, 720, 550}},
        // Too narrow: over the results' lower part, under their buttons; a panel on top; shortened; covering
        // the buttons only where the screen is smaller than the review's least height below them.
        {{0, 0, 1024, 768}, {{244, 244}, results}, 191, review, {400, 300}, {{244, 19}, results}, {152, 218, 720, 550}},
        {{0, 24, 1024, 744}, {{244, 244}, results}, 191, review, {400, 300}, {{244, 24}, results}, {152, 223, 720, 545}},
        {{0, 0, 800, 600}, {{132, 160}, results}, 191, review, {400, 300}, {{132, 0}, results}, {40, 199, 720, 401}},
        {{0, 0, 640, 480}, {{52, 100}, results}, 191, review, {400, 300}, {{52, 0}, results}, {0, 180, 640, 300}},
        // A review whose layout asks for more height than its design.
        {{0, 0, 800, 800}, {130, 273, 540, 254}, 163, {724, 524}, {404, 613}, {130, 16, 540, 254}, {38, 187, 724, 613}},
        // The help: side by side on 1600; narrowed to the room on 1280; over the main window's lower part on 1024.
        {{0, 0, 1600, 1000}, {{532, 314}, form1}, 207, help, {480, 350}, {{156, 314}, form1}, {700, 314, 900, 650}},
        {{0, 0, 1280, 1024}, {{372, 326}, form1}, 207, help, {480, 350}, {{0, 326}, form1}, {544, 326, 736, 650}},
        {{0, 0, 1024, 768}, {{244, 198}, form1}, 207, help, {480, 350}, {{244, 0}, form1}, {62, 215, 900, 553}},
        // Below the opener where it fits whole.
        {{0, 0, 1024, 1000}, {{244, 100}, results}, 191, review, {400, 300}, {{244, 100}, results}, {152, 388, 720, 550}},
    };
    for (const auto &[area, opener, keep, window, least, openerAfter, windowAfter] : rows) {
        const BesideFrames placed = PlaceBesideIn(area, opener, keep, window, least);
        EXPECT_EQ(std::pair(placed.opener, placed.window), std::pair(openerAfter, windowAfter))
            << area.width() << "x" << area.height() << " " << window.width();
    }
}

// The window and the program answer a close request by the same rule.
TEST_F(WindowTest, CloseRequestsFollowTheRule)
{
    using R = CloseReason;
    using A = CloseAction;
    const struct {
        R reason;
        A action;
    } cases[] = {{R::User, A::EndProgram}, {R::Program, A::Unload}, {R::SystemShutdown, A::Cancel},
        {R::TaskManager, A::EndProgram}, {R::ParentClosing, A::Unload}, {R::OwnerClosing, A::Unload}};
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.reason));
        form->show();
        programEnds = 0;
        EXPECT_EQ(ActionForCloseReason(c.reason), c.action);
        EXPECT_EQ(form->Form_QueryUnload(c.reason), c.action != A::Cancel);
        EXPECT_EQ(end.handleCloseRequest(c.reason), c.action != A::Cancel);
        EXPECT_EQ(programEnds, c.action == A::EndProgram ? 2 : 0);
        EXPECT_EQ(form->isVisible(), c.action != A::EndProgram);
    }
    // The program's own close only unloads. The close box is the user's request: the window system's request
    // reaches the native window first, which hands it on as spontaneous.
    form->show();
    programEnds = 0;
    EXPECT_TRUE(form->close());
    EXPECT_EQ(programEnds, 0);
    form->show();
    QCloseEvent request;
    QCoreApplication::sendEvent(form->windowHandle(), &request);
    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WindowTest, TerminationSignalEndsTheProgram)
{
    end.installCloseRequestHandlers();
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return programEnds == 1; }, 2000));
    EXPECT_FALSE(form->isVisible());
}

#ifdef Q_OS_WIN
// Windows asks every window whether a shut-down or log-off may go on: the
// answer is no, and the window stays open; it is then told the session goes on.
TEST_F(WindowTest, EndOfSessionQueryIsRefused)
{
    end.installCloseRequestHandlers();
    const auto window = reinterpret_cast<HWND>(form->winId());
    for (const LPARAM kind : {LPARAM(0), LPARAM(ENDSESSION_LOGOFF)}) {
        EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, kind), 0) << kind;
        SendMessageW(window, WM_ENDSESSION, FALSE, kind);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(programEnds, 0);
    }
}
#endif

} // namespace
