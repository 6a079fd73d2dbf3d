#pragma once

#include <QString>

#include "platform/ui/Picture.h"

class PlenkApp;

// Every reader of a skin folder forms its paths here: the program folder,
// "Skins", the skin name of Options.SkinName, then the file.  Each part is
// taken as written when it exists, else as the one entry of its folder whose
// name matches ignoring case, so a skin made where names carry no case
// ("Main.JPG", "Skin.INI") works.
namespace SkinFiles {

// The path of a file of the current skin, the file given as "\\main.jpg" or
// "main.jpg".  A file that is not there, or a skin name that is no single
// folder name (empty, "..", holding a separator), fails with "File not found".
QString path(PlenkApp& app, const QString& file);

// The picture of a file of the current skin, recognised by its content.
// Missing, unreadable and too large pictures fail as LoadPicture's do.
ui::Picture picture(PlenkApp& app, const QString& file);

// The same, read from disk once per skin: for the pictures the player swaps
// in on its own again and again (the button states, the idle picture).  A
// change of program folder or skin name, or applying a skin, reads them
// afresh; a failed read is not kept.
ui::Picture cachedPicture(PlenkApp& app, const QString& file);
// Forgets every kept picture, so the next use reads the skin's file again.
void forgetCachedPictures(PlenkApp& app);

// A picture of the Default skin that the program carries as the design
// picture of its windows, the file given as for picture.
ui::Picture designPicture(const QString& file);

// The entry of folder named name, exactly or else ignoring case; empty when
// there is none or more than one that differ only in case.
QString entryIgnoringCase(const QString& folder, const QString& name);

}  // namespace SkinFiles
