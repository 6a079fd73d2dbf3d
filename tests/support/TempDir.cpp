#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

TempDir::TempDir() : path_(dir_.path()) {}

QString TempDir::file(const QString& relative) const {
    return path_ + "/" + relative;
}

QString TempDir::write(const QString& relative, const QByteArray& bytes) const {
    const QString full = file(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    return full;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList readLines(const QString& path) {
    QString text = QString::fromUtf8(readAll(path));
    if (text.endsWith("\r\n")) text.chop(2);
    return text.isEmpty() ? QStringList() : text.split("\r\n");
}

}  // namespace testsupport
