#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <utility>

#include "persistence/DataClass.h"

class PlenkApp;
namespace ui {
class ListControl;
}

// Operations on the playlist as a whole.  An entry is row i of three lists
// kept in step: DataForm.ListaCale (full path), Playlist.PicList (display
// text) and JumpForm.Lista (the search window's copy of the display texts).
class ClsPl {
  public:
    explicit ClsPl(PlenkApp& app);

    // The open-file dialog: the chosen full path, "" when cancelled.
    QString ShowFileDialog();
    // Asks for one file and appends it as an entry.
    void AdaugaFisier();
    // Asks for a folder and appends every media file below it.
    void AdaugaFolder();
    // Appends every media file below a folder (a dropped item); anything
    // that is not a readable folder adds nothing.
    void AdaugaFolderDrag(const QString& folder);
    // Removes the entry selected in the playlist from both lists; nothing
    // without a selected playlist row.  The search list is left as it was.
    void StergeFisier();
    // Queues the folder tree in DataForm.Foldere: with RootPending set the
    // folder itself first, then every sub-folder after its own sub-folders.
    // Only readable folders are queued, each once by its canonical path.
    void GetDirs(const QString& path);
    // The media files of every queued folder, in queue order and each
    // folder's files in name order; empties the queue.  A queued path that is
    // no longer a folder gives nothing.
    QStringList QueuedFiles();
    // Shows the file name of FullPath in the title line and as the current
    // title; the first argument is not read.
    void ExtractFilename(const QString& FileName, const QString& FullPath);
    // Appends the file-name display text of every path of List2 to List1.
    void ListNoChar(ui::ListControl& List1, const ui::ListControl& List2);
    // Inserts the display texts of every path of List2, in order, into List1
    // before the row DataForm.AddToIndex names, or after its last row.
    void ListNoCharDragDrop(ui::ListControl& List1, const ui::ListControl& List2);
    // Refreshes the search list from the playlist, through Data\playlist.data.
    void SetJumpList();
    // The same at start-up, but when the file would give every row back
    // unchanged the list is filled without writing it: the file only carries
    // the rows across, and it is written again at shut-down.
    void FillJumpList();
    // Shows the tag's artist and title, in the order the options choose, for
    // every entry whose tag has both.
    void FileNameToID3();

    // The display text of a path: its file name without folder and extension
    // (a name without a dot shows whole).
    static QString displayName(const QString& path);
    // The text after the last folder separator, the whole text without one.
    static QString GetLastBackSlash(const QString& text);
    // The text before the last occurrence of the character; "" without one.
    static QString CutAtLastChar(const QString& text, QChar character);

    // The display text of a path in the current title format.
    QString entryText(const QString& path);
    // Appends entries in order (both lists), leaving out paths that would
    // not fit on one line of the playlist files.
    void appendEntries(const QStringList& files);

    QString ChosenFolder;
    bool RootPending = false;

  private:
    std::pair<QString, QString> artistAndTitle(const QString& path);
    // The tag's artist and title in the chosen order; "" when the tag lacks
    // either.
    QString taggedText(const QString& path);
    // The insertion row a drop row caption names in a list of count rows.
    static int dropRow(const QString& caption, int count);

    PlenkApp& app_;
    std::unique_ptr<DataClass> ListStore;
};
