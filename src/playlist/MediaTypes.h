#pragma once

#include <QString>

// The file types the playlist takes from a desktop drop and from a folder
// walk.

// Whether a path ends with one of the accepted media extensions, ignoring
// case.  The test is on the text only.
bool isDroppableMedia(const QString& path);

// The file pattern of a folder walk (a file list's pattern).
const QString& folderWalkPattern();

// Whether a path can be kept on one line of the playlist files.
bool fitsOnOneLine(const QString& path);
