#pragma once

#include <QByteArray>
#include <vector>

namespace testsupport {

// A run of MPEG-1 frames of one format; each decodes to 1152 frames of silence
// (384 in layer I).
struct MpegRun {
    int rate = 44100;  // 32000, 44100 or 48000
    int channels = 2;  // 1 or 2
    int kbps = 128;    // a bitrate of the layer
    int frames = 1;
    int layer = 3;
};
inline constexpr int kMpegFrameSamples = 1152;

// The runs one after the other, written frame by frame: no Xing, Info or VBRI
// header, so only a walk over the frames finds the length.
QByteArray mpegFrames(const std::vector<MpegRun>& runs);

// A first layer III frame holding a Xing header that claims `frames` frames, in
// the format of `run` (whose own frame count is ignored).
QByteArray xingFrame(const MpegRun& run, int frames);

}  // namespace testsupport
