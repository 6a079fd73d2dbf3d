#pragma once

#include "platform/audio/BufferedFile.h"

namespace audio {

// Whether the file is MPEG audio by its first bytes: consecutive frames whose
// headers agree start at its beginning, after its ID3v2 tags, or after a little
// junk there. What it reads is bounded, whatever the file's size; the file is
// left at its start.
bool startsWithMpegFrames(BufferedFile& file);

// kbit/s of a frame header's bitrate index (0, free format, and 15 give 0), by
// the standard's table for the version and layer (1 to 3).
int bitrateKbps(bool mpeg1, int layer, int index);

}  // namespace audio
