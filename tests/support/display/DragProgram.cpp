#include "support/display/DragProgram.h"

namespace displaytest {

DragProgram::DragProgram(PlayerSession& s, QPoint at, const QStringList& files) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", s.display());
    env.insert("QT_QPA_PLATFORM", "xcb");
    process_.setProcessEnvironment(env);
    process_.start(PLENK_DRAG_SOURCE,
                   QStringList{QString::number(at.x()), QString::number(at.y())} + files);
}

DragProgram::~DragProgram() {
    process_.kill();
    process_.waitForFinished(5000);
}

bool DragProgram::says(const QString& line, int timeoutMs) {
    return waitUntil(
        [&] {
            process_.waitForReadyRead(20);
            said_ += QString::fromLocal8Bit(process_.readAllStandardOutput());
            return said_.split('\n').contains(line);
        },
        timeoutMs);
}

}  // namespace displaytest
