#include <csignal>

#include "testwindow/closereason.h"
#include "windowfixture.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

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
