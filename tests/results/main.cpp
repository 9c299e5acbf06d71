#include <gtest/gtest.h>

#include <QApplication>

// Creates the application only when tests run: listing them (test discovery)
// must work without any display.
int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
