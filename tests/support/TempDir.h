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

}  // namespace testsupport
