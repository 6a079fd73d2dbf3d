#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace ui {
class ListRows;
}

// Reads a list file a block at a time, one row per line (see
// DataClass::IncarcaData for what a line is), so a long list is never held
// whole twice.  A file that grows while it is read is read to the end it has
// when the reader gets there.  Keeps no tie to any thread: it may be made on
// one and read on another.
class ListFileReader {
  public:
    static constexpr qint64 kBlock = 1 << 20;

    // Opens the file.  An empty name, a missing or unreadable file, and a
    // path naming a folder, pipe or device (links followed) read as an empty
    // file.  Temporary files that saves of this file cut short by a killed
    // program left beside it are removed first.
    explicit ListFileReader(const QString& file, qint64 blockSize = kBlock);

    // Reads the next block and appends its whole lines to rows (and, at the
    // end of the file, the unfinished last line).  False, appending nothing,
    // once the file was read to its end.
    bool next(ui::ListRows& rows);
    // Bytes read so far, and still to read as the file is now.
    qint64 bytesRead() const { return file_.isOpen() ? file_.pos() : 0; }
    qint64 bytesLeft() const { return file_.isOpen() ? file_.size() - file_.pos() : 0; }

  private:
    QFile file_;
    qint64 blockSize_;
    // The start of a line the last block cut.
    QByteArray pending_;
    bool ended_ = false;
};
