#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

namespace ui {

// Clipboard formats a drop may offer.
enum ClipboardFormat { vbCFText = 1, vbCFFiles = 15 };
// What a drop target tells the desktop it does with a drop.
enum DropEffect { vbDropEffectNone = 0, vbDropEffectCopy = 1, vbDropEffectMove = 2 };

// What the desktop drops on a control: the file list holds the local files
// of the drop, in the desktop's order, that still exist when it is read;
// addresses of other places are not files.  Files(i) counts from 1.
//
// The dragged data is read from the source program once, as the drag enters:
// a source may end its drag (and quit) before the target asks again at the
// drop, so the drop rechecks that list instead of reading anew.
class DataObject {
  public:
    DataObject() = default;
    explicit DataObject(const QMimeData* data);

    // The same drop with only the files that still exist now.
    DataObject recheck() const;

    bool GetFormat(int format) const;
    int FilesCount() const { return static_cast<int>(files_.size()); }
    // Fails with "Subscript out of range" outside 1 to FilesCount.
    QString Files(int index) const;
    const QStringList& files() const { return files_; }
    QString text() const { return text_; }

  private:
    QStringList local_;
    QStringList files_;
    QString text_;
    bool hasText_ = false;
};

}  // namespace ui
