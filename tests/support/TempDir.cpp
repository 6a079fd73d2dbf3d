#include "support/TempDir.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cstring>

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

QByteArray hugeBitmapHeader() {
    QImage pixel(1, 1, QImage::Format_RGB32);
    pixel.fill(Qt::black);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    pixel.save(&buffer, "BMP");
    const qint32 side = 10000;
    memcpy(bytes.data() + 18, &side, 4);
    memcpy(bytes.data() + 22, &side, 4);
    return bytes;
}

bool makeNullDevice(const QString& path) {
    return mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

bool isDevice(const QString& path) {
    struct stat node {};
    return stat(QFile::encodeName(path).constData(), &node) == 0 && S_ISCHR(node.st_mode);
}

}  // namespace testsupport
