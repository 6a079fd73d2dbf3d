#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "support/QtPrinters.h"

namespace testsupport {

// A fresh folder removed at the end of the test.
class TempDir {
  public:
    TempDir();
    const QString& path() const { return path_; }
    // path() + "/" + relative
    QString file(const QString& relative) const;
    // Writes bytes to a file below the folder (creating sub-folders) and returns its path.
    QString write(const QString& relative, const QByteArray& bytes) const;

  private:
    QTemporaryDir dir_;
    QString path_;
};

QByteArray readAll(const QString& path);
// The lines of a text file the program wrote (CR LF after each).
QStringList readLines(const QString& path);
// A whole bitmap file of one pixel whose header claims 10,000 x 10,000: a
// picture too large to load, refused before its pixels are read.
QByteArray hugeBitmapHeader();
// Makes a device node of the test's own at path that reads as empty and
// takes any write (a test never touches the system's own devices); false
// without the right to make one.
bool makeNullDevice(const QString& path);
bool isDevice(const QString& path);

}  // namespace testsupport
