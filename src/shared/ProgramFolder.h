#pragma once

#include <QString>

namespace shared {

// The folder the program keeps its files in (settings.ini, Data, Skins,
// Languages, Playlists, eqpreset.ini...): the executable's own folder, as the
// build lays it out.  Where that folder cannot be written (an installed copy)
// a per-user copy is made under perUserBase once, topped up with files that
// are missing, and used instead.
QString resolveProgramFolder(const QString& executableFolder, const QString& perUserBase);
// The per-user copy: made, or topped up with files it lacks; files already
// there (the user's settings and lists) are never replaced.
QString userCopyOf(const QString& executableFolder, const QString& perUserBase);

// Joins a folder and a relative part such as "\Data\plst.data" with the
// native separator, whichever separator the part was written with.
QString joinPath(const QString& folder, const QString& relative);

}  // namespace shared
