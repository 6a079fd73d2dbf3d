#pragma once

#include <QString>
#include <QStringList>

#include "core/Id3v1Tag.h"

class PlenkApp;
namespace ui {
class Application;
}

// Holds the one tag record the whole player shares, and reads and writes it.
// A reader reads a file's tag and takes the fields at once; the tag editor
// fills the record and writes it to the file it was read from.
class Id3Module {
  public:
    explicit Id3Module(ui::Application& app);

    Id3v1Tag Tag;
    // Genre names by genre byte; the library window fills it when it loads.
    QStringList GenreNames;

    // Fills Tag from the file's tag, or empties it when the file has none or
    // cannot be read, and names the file in the tag editor either way.
    void ReadId3v1Tag(const QString& Path);
    // False when the file could not be written; it is then unchanged.
    bool WriteId3v1Tag(const QString& Path, const Id3v1Tag& tag);

  private:
    PlenkApp& app_;
};
