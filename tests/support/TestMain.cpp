#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdlib>

// Every test binary runs with one offscreen Qt application, so windows and
// widgets can be created without a display.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!getenv("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + "/plenk-test-runtime";
        QDir().mkpath(runtime);
        QFile::setPermissions(
            runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        setenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit().constData(), 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
