#include "AudioTestSupport.h"
#include "platform/audio/Lanes.h"
#include "platform/audio/ParamEq.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace audiotest {
namespace {

using audio::BASS_DX8_PARAMEQ;
using audio::ParamEq;

// Bands spread over the spectrum with mixed gains and widths, as a player's
// equalizer sets them.
std::vector<std::unique_ptr<ParamEq>> makeBands(std::size_t count, int channels) {
    std::vector<std::unique_ptr<ParamEq>> bands;
    for (std::size_t b = 0; b < count; ++b) {
        auto band = std::make_unique<ParamEq>(44100, channels);
        const BASS_DX8_PARAMEQ record{80.0f * std::pow(1.35f, static_cast<float>(b)),
                                      6.0f + static_cast<float>(b % 4) * 6.0f,
                                      b % 2 ? -9.0f : 12.0f};
        band->setParameters(&record);
        bands.push_back(std::move(band));
    }
    return bands;
}

// Runs the cascade over the signal in calls of varied length (some shorter
// than the wavefront takes to fill), turning the bands half-way so they glide.
std::vector<float> equalize(std::size_t bandCount, int channels, bool narrow) {
    audio::forceNarrow(narrow);
    auto bands = makeBands(bandCount, channels);
    std::vector<ParamEq*> cascade;
    for (auto& band : bands)
        cascade.push_back(band.get());
    std::vector<float> frames = testSignal(6000, channels, 6000);
    const std::size_t calls[] = {1, 7, 3, 512, 1024, 2, 60};
    std::size_t done = 0;
    for (std::size_t i = 0; done < 6000; ++i) {
        if (i == 5) {
            const BASS_DX8_PARAMEQ turned{2500.0f, 24.0f, -6.0f};
            for (auto& band : bands)
                band->setParameters(&turned);
        }
        const std::size_t count = std::min(calls[i % std::size(calls)], 6000 - done);
        ParamEq::processCascade(cascade.data(), cascade.size(), frames.data() + done * channels,
                                count);
        done += count;
    }
    audio::forceNarrow(false);
    return frames;
}

class ParamEqPathsTest : public ::testing::TestWithParam<std::tuple<std::size_t, int>> {};

TEST_P(ParamEqPathsTest, WideAndNarrowFiltersAgree) {
    const auto [bandCount, channels] = GetParam();
    const std::vector<float> wide = equalize(bandCount, channels, false);
    const std::vector<float> narrow = equalize(bandCount, channels, true);
    const std::vector<float> dry = testSignal(6000, channels, 6000);
    const PathsApart apart = comparePaths(wide, narrow, dry);
    // Fused multiply-adds round differently; a single-precision band low in the
    // spectrum is itself about this far from an exact one.
    EXPECT_LT(apart.worst, 1e-3);
    EXPECT_GT(apart.change, 0.05);  // the bands did something
}

INSTANTIATE_TEST_SUITE_P(Cascades, ParamEqPathsTest,
                         ::testing::Combine(::testing::Values(1, 2, 3, 10, 17),
                                            ::testing::Values(1, 2, 3)));

}  // namespace
}  // namespace audiotest
