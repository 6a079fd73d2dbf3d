#pragma once

#include <QString>
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
    // Shows the file name of FullPath in the title line and as the current
    // title; the first argument is not read.
    void ExtractFilename(const QString& FileName, const QString& FullPath);
    // Appends the file-name display text of every path of List2 to List1.
    void ListNoChar(ui::ListControl& List1, const ui::ListControl& List2);
    // Refreshes the search list from the playlist, through Data\playlist.data.
    void SetJumpList();
    // Shows the tag's artist and title, in the order the options choose, for
    // every entry whose tag has both.
    void FileNameToID3();

    // The display text of a path: its file name without folder and extension
    // (a name without a dot shows whole).
    static QString displayName(const QString& path);

  private:
    std::pair<QString, QString> artistAndTitle(const QString& path);

    PlenkApp& app_;
    std::unique_ptr<DataClass> ListStore;
};
