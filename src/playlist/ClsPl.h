#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>

#include "persistence/DataClass.h"

class PlenkApp;
class PlaylistLoad;
namespace ui {
class ListControl;
class ListRows;
}  // namespace ui

// Operations on the playlist as a whole.  An entry is row i of three lists
// kept in step: DataForm.ListaCale (full path), Playlist.PicList (display
// text) and JumpForm.Lista (the search window's copy of the display texts).
class ClsPl {
  public:
    explicit ClsPl(PlenkApp& app);
    ~ClsPl();

    // Start-up, in two steps so the settings load meanwhile: starts reading
    // the paths file on a thread of its own...
    void StartLoading(const QString& pathsFile);
    // ...then, once the options say what the rows show (titles from
    // Data\id3.data in a tag mode, where it has them, else file names), brings in the
    // first block of entries before returning and the rest a block per tick
    // of the application clock, all three lists in step.  Until the last
    // block is in, any change to them or whole-list read (a save, a search,
    // an added file) first brings every entry in (see
    // ui::ListControl::setRowsArriving).  Once all are in, the search list is
    // made good through its file if need be, and in a tag mode the tags are
    // read (FileNameToID3Later).
    void LoadEntries();
    // Brings in every entry still to come, now.
    void FinishLoading();
    bool loadingEntries() const { return static_cast<bool>(load_); }

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
    // The file-name display texts of paths, sharing their text.
    static ui::ListRows namesOf(const ui::ListRows& paths);
    // Inserts the display texts of every path of List2, in order, into List1
    // before the row DataForm.AddToIndex names, or after its last row.
    void ListNoCharDragDrop(ui::ListControl& List1, const ui::ListControl& List2);
    // Refreshes the search list from the playlist, through Data\playlist.data.
    void SetJumpList();
    // Shows the tag's artist and title, in the order the options choose, for
    // every entry whose tag has both.
    void FileNameToID3();
    // The same at start-up, out of the user's way: the rows keep the titles
    // saved with the playlist while the tags are read a slice of rows per
    // tick of the application clock; the search list follows at the end.
    // Stops by itself when the playlist shows file names again.
    void FileNameToID3Later();
    bool readingTags() const { return tagTimer_ != 0; }

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

    void bringInSome();
    // Brings in the next slice of the load (waiting for it when wait); true
    // once that was the last.
    bool bringIn(bool wait);
    void setRowsArriving(bool arriving);
    void entriesLoaded();

    void retag(int row);
    void readTagSlice();
    void stopTagReading();

    // Rows read per tick, and the tick: about 10 ms of reading at a time
    // when the files are on a local disk.
    static constexpr int kTagSlice = 256;
    static constexpr int kTagInterval = 1;
    // Entries are brought in every tick for up to a budget of time.
    static constexpr int kLoadInterval = 10;
    static constexpr int kLoadBudget = 4;

    PlenkApp& app_;
    std::unique_ptr<DataClass> ListStore;
    int tagTimer_ = 0;
    int tagRow_ = 0;
    std::unique_ptr<PlaylistLoad> load_;
    bool loadingTitles_ = false;
    int loadTimer_ = 0;
    // Some entry's row would not come back unchanged from the search list's
    // file, so the search list is made again through it at the end.
    bool searchNeedsFile_ = false;
};
