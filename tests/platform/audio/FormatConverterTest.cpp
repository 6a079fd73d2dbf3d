#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "platform/audio/FormatConverter.h"

namespace audio {
namespace {

std::vector<float> converted(AudioFormat target, const std::vector<float>& in, AudioFormat from,
                             LayoutOf layoutOf = &defaultLayout) {
    FormatConverter converter(target, layoutOf);
    std::vector<float> out;
    converter.push(in.data(), in.size() / from.channels, from, out);
    converter.finish(out);
    return out;
}

TEST(FormatConverterTest, ChannelsAreMixedDownAsTheMeanAndRepeatedUp) {
    EXPECT_EQ(converted({44100, 1}, {0.2f, 0.4f, -1.0f, 1.0f}, {44100, 2}),
              (std::vector<float>{0.3f, 0.0f}));
    EXPECT_EQ(converted({44100, 2}, {0.5f, -0.25f}, {44100, 1}),
              (std::vector<float>{0.5f, 0.5f, -0.25f, -0.25f}));
}

// Vorbis' three channels are left, centre and right, its six FL, C, FR, RL, RR, LFE.
TEST(FormatConverterTest, ChannelsGoWhereTheirSpeakersAre) {
    const auto threeOntoTwo = [](const std::vector<float>& in) {
        return converted({44100, 2}, in, {44100, 3}, &vorbisLayout);
    };
    EXPECT_EQ(threeOntoTwo({0.0f, 0.0f, 1.0f})[0], 0.0f);
    EXPECT_GT(threeOntoTwo({0.0f, 0.0f, 1.0f})[1], 0.5f);
    const std::vector<float> centre = threeOntoTwo({0.0f, 1.0f, 0.0f});
    EXPECT_EQ(centre[0], centre[1]);
    EXPECT_GT(centre[0], 0.35f);
    EXPECT_LE(threeOntoTwo({1.0f, 1.0f, 1.0f})[0], 1.0f);
    EXPECT_EQ(converted({44100, 6}, {0.5f, -0.5f}, {44100, 2}, &vorbisLayout),
              (std::vector<float>{0.5f, 0.0f, -0.5f, 0.5f, -0.5f, 0.0f}));
}

TEST(FormatConverterTest, OtherRatesAreConvertedWithoutLosingTheSignal) {
    const int frames = 22050;
    std::vector<float> tone(frames);
    for (int i = 0; i < frames; ++i)
        tone[i] = static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * 440.0 * i / 22050));
    const std::vector<float> out = converted({44100, 1}, tone, {22050, 1});
    EXPECT_NEAR(static_cast<double>(out.size()), 2.0 * frames, 8);
    double energy = 0;
    for (std::size_t i = 1000; i < out.size() - 1000; ++i)
        energy += out[i] * out[i];
    EXPECT_NEAR(std::sqrt(energy / (out.size() - 2000)), 0.5 / std::sqrt(2.0), 0.01);
}

// A change of rate drains what the converter holds for the old rate first.
TEST(FormatConverterTest, RateChangesKeepEveryStretch) {
    FormatConverter converter({44100, 2});
    std::vector<float> out;
    const std::vector<float> second(2 * 4800, 0.25f);
    const std::vector<float> first(2 * 4410, 0.5f);
    converter.push(second.data(), 4800, {48000, 2}, out);
    converter.push(first.data(), 4410, {44100, 2}, out);
    converter.push(second.data(), 4800, {48000, 2}, out);
    converter.finish(out);
    EXPECT_NEAR(static_cast<double>(out.size() / 2), 3 * 4410.0, 16);
    EXPECT_FLOAT_EQ(out[2 * 6000], 0.5f);
    EXPECT_NEAR(out[2 * 2000], 0.25f, 0.01f);
    EXPECT_NEAR(out[2 * 11000], 0.25f, 0.01f);
}

}  // namespace
}  // namespace audio
