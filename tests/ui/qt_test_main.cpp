#include <QApplication>

#include <gtest/gtest.h>

// Widget tests share one application object, on the platform the test environment names.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
