#include "platform/audio/Reverb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "AudioTestSupport.h"
#include "platform/audio/Lanes.h"

namespace audiotest {
namespace {

using audio::BASS_DX8_REVERB;
using audio::Reverb;

constexpr std::size_t kFrames = 3 * 44100;

// Seconds of sound (long enough for every line to wrap round many times) in
// calls of uneven length, the settings turned part-way so they glide, and the
// mix taken to nothing and back so the network rests and wakes.
std::vector<float> reverberate(int channels, bool narrow) {
    audio::forceNarrow(narrow);
    Reverb reverb(44100, channels);
    const BASS_DX8_REVERB start{-3.0f, 0.0f, 1800.0f, 0.3f};
    reverb.setParameters(&start);
    std::vector<float> frames = testSignal(kFrames, channels, kFrames / 2);
    const std::size_t calls[] = {1, 3, 5, 107, 1024, 2, 61, 8, 4096, 9, 333};
    std::size_t done = 0;
    for (std::size_t i = 0; done < kFrames; ++i) {
        if (i == 40) {
            const BASS_DX8_REVERB turned{-1.0f, -4.0f, 700.0f, 0.05f};
            reverb.setParameters(&turned);
        }
        if (i == 70 || i == 75) {
            const BASS_DX8_REVERB mix{-1.0f, i == 70 ? -96.0f : -2.0f, 2500.0f, 0.9f};
            reverb.setParameters(&mix);
        }
        const std::size_t count = std::min(calls[i % std::size(calls)], kFrames - done);
        reverb.process(frames.data() + done * channels, count);
        done += count;
    }
    audio::forceNarrow(false);
    return frames;
}

class ReverbPathsTest : public ::testing::TestWithParam<int> {};

TEST_P(ReverbPathsTest, WideAndNarrowNetworksAgree) {
    const int channels = GetParam();
    const std::vector<float> wide = reverberate(channels, false);
    const std::vector<float> narrow = reverberate(channels, true);
    const std::vector<float> dry = testSignal(kFrames, channels, kFrames / 2);
    const PathsApart apart = comparePaths(wide, narrow, dry);
    // Fused multiply-adds round differently, and the differences circulate in
    // the network for the whole tail.
    EXPECT_LT(apart.worst, 1e-5);
    EXPECT_GT(apart.change, 0.05);  // the reverb did something
}

INSTANTIATE_TEST_SUITE_P(Channels, ReverbPathsTest, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace audiotest
