#include <QApplication>
#include <gtest/gtest.h>

#include "testwindow/programwindow.h"

// The widget tests need one application object, made here and not at static
// initialisation, since test discovery runs this program too.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Windows are hidden and shown again by the tests; that must not quit.
    QApplication::setQuitOnLastWindowClosed(false);
    PrepareApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
