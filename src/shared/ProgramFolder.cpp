#include "shared/ProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>

namespace shared {

namespace {

bool writable(const QString& folder) {
    QTemporaryFile probe(folder + "/.plenk-write-test-XXXXXX");
    return probe.open();
}

// Only the program folder's own files go into the copy, not whatever else
// lies beside the executable (the executable itself, other programs).
bool ownFile(const QString& relative) {
    static const QStringList folders = {"Data/", "Skins/", "Languages/", "Playlists/"};
    static const QStringList files = {"settings.ini", "eqpreset.ini", "readme.txt", "audio.ico",
                                      "video.ico"};
    if (files.contains(relative)) return true;
    return std::any_of(folders.begin(), folders.end(),
                       [&](const QString& f) { return relative.startsWith(f); });
}

void copyMissing(const QString& from, const QString& to) {
    QDir().mkpath(to);
    const QDir source(from);
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = source.relativeFilePath(path);
        const QString target = to + "/" + relative;
        if (!ownFile(relative) || QFileInfo::exists(target)) continue;
        QDir().mkpath(QFileInfo(target).path());
        // An installed program's files are often read-only; the copy keeps
        // their modes but is the user's own and must take their saves.
        if (QFile::copy(path, target))
            QFile::setPermissions(target, QFile::permissions(path) | QFileDevice::WriteOwner);
    }
    for (const char* folder : {"Data", "Skins", "Languages", "Playlists"})
        QDir(to).mkpath(folder);
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
