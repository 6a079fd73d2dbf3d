#pragma once

#include <QStringList>

namespace testsupport {

// Makes a media file with ffmpeg (its lavfi sources need no input files).
// False when ffmpeg is not installed or fails.
bool ffmpeg(const QStringList& args);

}  // namespace testsupport
