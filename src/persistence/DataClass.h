#pragma once

#include <QString>
#include <QStringList>
#include <span>

namespace ui {
class ListControl;
class ListRows;
}  // namespace ui

// Moves a list of text lines between a list control and a text file, one item
// per line, each line ended by CR LF.  Keeps nothing between calls.
class DataClass {
  public:
    // Appends the file's lines to the list.  A line ends at CR LF, a lone CR
    // or a lone LF; trailing blanks are cut.  An empty name, a missing or
    // unreadable file, and a path naming a folder, pipe or device (links
    // followed) leave the list as it was.  Temporary files that saves of this
    // file cut short by a killed program left beside it are removed first.
    void IncarcaData(const QString& TheFile, ui::ListControl& TheListBox);
    // Replaces the file with the list's items, whole or not at all (see
    // shared::WholeFileWriter): a failed save leaves the old file as it was.
    // A missing folder is made when the folder above it exists (a program
    // folder without Data); a read-only file, a path naming a folder, pipe or
    // device, or a folder missing further up is left alone.  An item holding
    // a line break is not written: its line stays empty, so every later line
    // keeps its number (callers refuse such items).  Returns whether the file
    // was written (no caller has to look); a file that was not is noted in
    // the FailedSaves that lives.  readsBackSame, when given, tells
    // whether reading the file gives every item back as it is (no line
    // break, trailing blank or text UTF-8 cannot carry).
    bool SalveazaData(const QString& TheFile, const ui::ListControl& TheListBox,
                      bool* readsBackSame = nullptr);
    // Several lists saved as SalveazaData saves each, side by side on
    // threads of their own, so the files' writing and flushing to disk
    // overlap.  Nothing may change the lists until this returns.
    struct Save {
        QString file;
        const ui::ListControl* list;
    };
    void SalveazaToate(std::span<const Save> saves);
    // Whether saving the list and loading it again would give every item
    // back as it is; writes nothing.
    static bool readsBackUnchanged(const ui::ListControl& TheListBox);
    static bool readsBackUnchanged(const ui::ListRows& rows);
};

// While one lives, every list file that could not be saved (on any thread)
// is noted, with why, in the order the saves failed: the close tells the
// user of them.  One lives at a time.
class FailedSaves {
  public:
    FailedSaves();
    ~FailedSaves();
    FailedSaves(const FailedSaves&) = delete;
    FailedSaves& operator=(const FailedSaves&) = delete;

    // "<file>: <why>", one entry a file.
    QStringList list() const;

  private:
    friend class DataClass;
    static void note(const QString& file, const QString& why);

    QStringList failed_;
};

// The positional read every reader of a list file follows: row i becomes the
// list's current row (raising its Click) and its text is the result; a row
// the list does not have reads as the empty text and moves nothing.
QString readRow(ui::ListControl& list, int row);
