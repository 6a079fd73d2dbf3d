#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace audio {

// Where a file's channel is meant to be heard.
enum class Speaker : std::uint8_t {
    Unknown,
    FrontLeft,
    FrontRight,
    FrontCentre,
    Lfe,
    BackLeft,
    BackRight,
    BackCentre,
    SideLeft,
    SideRight,
    FrontLeftOfCentre,
    FrontRightOfCentre,
    TopCentre,
    TopFrontLeft,
    TopFrontRight,
    TopFrontCentre,
    TopBackLeft,
    TopBackRight,
    TopBackCentre,
};

// The speakers of each channel, in the file's order.
using Layout = std::vector<Speaker>;

// Ogg Vorbis' order for its channel count (1 to 8); beyond, unknown places.
Layout vorbisLayout(int channels);
// The order of a WAV file without a channel mask (and of FLAC), by channel count.
Layout defaultLayout(int channels);
// A format's order, by channel count.
using LayoutOf = Layout (*)(int channels);

// Per channel, the gains of the left and the right output side (interleaved):
// fronts to their side, the centre to both at -3 dB, surrounds and rears to
// their side at -3 dB, the low-frequency channel left out; scaled so that
// channels at full scale together stay within full scale on each side.
std::vector<float> stereoGains(const Layout& layout);

// Interleaved stereo of `frames` frames of one or of more than two channels:
// mono on both sides, more channels by their stereoGains.
void mixToStereo(const float* in, std::size_t frames, int channels, const std::vector<float>& gains,
                 float* out);

}  // namespace audio
