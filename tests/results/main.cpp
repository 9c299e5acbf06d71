#include <gtest/gtest.h>

#include <QApplication>

#include "testwindow/programwindow.h"

// Creates the application only when tests run: listing them (test discovery)
// must work without any display.
int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QApplication app(argc, argv);
    PrepareApplication();
    return RUN_ALL_TESTS();
}
