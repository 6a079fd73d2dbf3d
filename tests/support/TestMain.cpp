#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Every test binary runs with one offscreen Qt application, so windows and
// widgets can be created without a display.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
