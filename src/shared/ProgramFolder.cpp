#include "shared/ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace shared {

namespace {

bool writable(const QString& folder) {
    QTemporaryFile probe(folder + "/.plenk-write-test-XXXXXX");
    return probe.open();
}

void copyMissing(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    const QDir source(from);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + "/" + source.relativeFilePath(path);
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else if (!QFileInfo::exists(target))
            QFile::copy(path, target);
    }
}

}  // namespace

QString resolveProgramFolder(const QString& executableFolder, const QString& perUserBase) {
    if (writable(executableFolder)) return QDir::cleanPath(executableFolder);
    return userCopyOf(executableFolder, perUserBase);
}

QString userCopyOf(const QString& executableFolder, const QString& perUserBase) {
    const QString copy = QDir::cleanPath(perUserBase + "/program");
    copyMissing(executableFolder, copy);
    return copy;
}

QString joinPath(const QString& folder, const QString& relative) {
    QString part = relative;
    part.replace('\\', '/');
    while (part.startsWith('/'))
        part.remove(0, 1);
    if (folder.endsWith('/')) return folder + part;
    return folder + "/" + part;
}

}  // namespace shared
