#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

// One file per fuzzing process that each input is written to, so the readers
// also run through their real file access.
inline QString writeScratch(const QByteArray& bytes) {
    static QTemporaryDir dir;
    const QString path = dir.path() + "/input.bin";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    return path;
}

inline QByteArray readScratch(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) std::abort();
    return file.readAll();
}
