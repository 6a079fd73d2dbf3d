#include "platform/audio/ChannelLayout.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace audio {

namespace {

using enum Speaker;

constexpr float kHalfPower = 0.70710678f;  // -3 dB

struct Sides {
    Speaker speaker;
    float left;
    float right;
};
constexpr std::array<Sides, 19> kSides = {{
    {Unknown, kHalfPower, kHalfPower},
    {FrontLeft, 1.0f, 0.0f},
    {FrontRight, 0.0f, 1.0f},
    {FrontCentre, kHalfPower, kHalfPower},
    {Lfe, 0.0f, 0.0f},
    {BackLeft, kHalfPower, 0.0f},
    {BackRight, 0.0f, kHalfPower},
    {BackCentre, 0.5f, 0.5f},
    {SideLeft, kHalfPower, 0.0f},
    {SideRight, 0.0f, kHalfPower},
    {FrontLeftOfCentre, 1.0f, 0.0f},
    {FrontRightOfCentre, 0.0f, 1.0f},
    {TopCentre, 0.5f, 0.5f},
    {TopFrontLeft, kHalfPower, 0.0f},
    {TopFrontRight, 0.0f, kHalfPower},
    {TopFrontCentre, 0.5f, 0.5f},
    {TopBackLeft, kHalfPower, 0.0f},
    {TopBackRight, 0.0f, kHalfPower},
    {TopBackCentre, 0.5f, 0.5f},
}};
static_assert(std::ranges::all_of(kSides, [](const Sides& s) {
    return &s - kSides.data() == static_cast<std::ptrdiff_t>(s.speaker);
}));

using Orders = std::array<std::initializer_list<Speaker>, 8>;

// By channel count, 1 to 8.
constexpr Orders kVorbisOrders = {{
    {FrontCentre},
    {FrontLeft, FrontRight},
    {FrontLeft, FrontCentre, FrontRight},
    {FrontLeft, FrontRight, BackLeft, BackRight},
    {FrontLeft, FrontCentre, FrontRight, BackLeft, BackRight},
    {FrontLeft, FrontCentre, FrontRight, BackLeft, BackRight, Lfe},
    {FrontLeft, FrontCentre, FrontRight, SideLeft, SideRight, BackCentre, Lfe},
    {FrontLeft, FrontCentre, FrontRight, SideLeft, SideRight, BackLeft, BackRight, Lfe},
}};
constexpr Orders kDefaultOrders = {{
    {FrontCentre},
    {FrontLeft, FrontRight},
    {FrontLeft, FrontRight, FrontCentre},
    {FrontLeft, FrontRight, BackLeft, BackRight},
    {FrontLeft, FrontRight, FrontCentre, BackLeft, BackRight},
    {FrontLeft, FrontRight, FrontCentre, Lfe, BackLeft, BackRight},
    {FrontLeft, FrontRight, FrontCentre, Lfe, BackCentre, SideLeft, SideRight},
    {FrontLeft, FrontRight, FrontCentre, Lfe, BackLeft, BackRight, SideLeft, SideRight},
}};

Layout layoutOf(const Orders& orders, int channels) {
    if (channels >= 1 && channels <= static_cast<int>(orders.size()))
        return Layout(orders[channels - 1]);
    return Layout(static_cast<std::size_t>(std::max(channels, 0)), Unknown);
}

}  // namespace

Layout vorbisLayout(int channels) {
    return layoutOf(kVorbisOrders, channels);
}

Layout defaultLayout(int channels) {
    return layoutOf(kDefaultOrders, channels);
}

std::vector<float> stereoGains(const Layout& layout) {
    std::vector<float> gains;
    float left = 0.0f;
    float right = 0.0f;
    for (const Speaker speaker : layout) {
        const Sides& sides = kSides[static_cast<std::size_t>(speaker)];
        gains.push_back(sides.left);
        gains.push_back(sides.right);
        left += sides.left;
        right += sides.right;
    }
    const float scale = 1.0f / std::max({left, right, 1.0f});
    for (float& gain : gains)
        gain *= scale;
    return gains;
}

void mixToStereo(const float* in, std::size_t frames, int channels, const std::vector<float>& gains,
                 float* out) {
    for (std::size_t i = 0; i < frames; ++i) {
        const float* frame = in + i * channels;
        if (channels == 1) {
            out[2 * i] = out[2 * i + 1] = frame[0];
            continue;
        }
        float left = 0.0f;
        float right = 0.0f;
        for (int c = 0; c < channels; ++c) {
            left += frame[c] * gains[2 * c];
            right += frame[c] * gains[2 * c + 1];
        }
        out[2 * i] = left;
        out[2 * i + 1] = right;
    }
}

}  // namespace audio
