#include "support/Ffmpeg.h"

#include <QProcess>
#include <QStandardPaths>

namespace testsupport {

bool ffmpeg(const QStringList& args) {
    if (QStandardPaths::findExecutable("ffmpeg").isEmpty()) return false;
    QProcess process;
    process.start("ffmpeg", QStringList{"-v", "error", "-y"} + args);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

}  // namespace testsupport
