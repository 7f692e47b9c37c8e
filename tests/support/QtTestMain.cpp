// Runs the GoogleTest cases of a program inside a QApplication (offscreen in ctest), so widgets,
// timers and posted events work as in the terminal.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
