#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/audio/Mixer.h"
#include "platform/audio/Voice.h"

namespace {

using namespace audio;

constexpr std::size_t kFrames = 1000;  // per block

// A voice with `blocks` blocks queued whose samples count the channel's frames.
std::shared_ptr<Voice> countingVoice(std::size_t blocks) {
    auto voice = std::make_shared<Voice>(2, kFrames);
    for (std::size_t b = 0; b < blocks; ++b) {
        Block* block = voice->freeBlock();
        block->epoch = 0;
        block->outFrames = block->inFrames = kFrames;
        block->startFrame = block->historyStart = b * kFrames;
        block->last = b + 1 == blocks;
        for (std::size_t i = 0; i < kFrames; ++i)
            block->data[2 * i] = block->data[2 * i + 1] =
                static_cast<float>(b * kFrames + i) / 1e5f;
        voice->commitBlock();
    }
    voice->setPlaying(true);
    return voice;
}

std::vector<float> render(Mixer& mixer, std::size_t frames) {
    std::vector<float> out(2 * frames);
    for (std::size_t done = 0; done < frames; done += 250)
        EXPECT_TRUE(mixer.render(&out[2 * done], std::min<std::size_t>(250, frames - done)));
    return out;
}

// What an output holds is not yet heard; once it drops it, the voice goes back to
// the frame rendering starts again from, and the same audio comes again.
TEST(HeldOutput, HeardFollowsThePlayheadAndRewindPlaysAgain) {
    Mixer mixer(1.0f);
    const auto voice = countingVoice(8);
    ASSERT_TRUE(mixer.attach(voice));
    mixer.setPlayhead(0);
    const std::vector<float> first = render(mixer, 5000);
    EXPECT_EQ(voice->heard().frame, 0u);
    mixer.setPlayhead(1500);
    EXPECT_EQ(voice->heard().frame, 1500u);
    mixer.setPlayhead(3125);
    EXPECT_EQ(voice->heard().frame, 3125u);
    EXPECT_FALSE(voice->heard().ended);

    mixer.rewindTo(2000);
    const std::vector<float> again = render(mixer, 3000);
    EXPECT_TRUE(std::equal(again.begin(), again.end(), first.begin() + 2 * 2000));
    mixer.setPlayhead(4000);
    EXPECT_EQ(voice->heard().frame, 4000u);

    // The end counts once it is heard, not once it is mixed.
    render(mixer, 3000);
    EXPECT_FALSE(voice->heard().ended);
    mixer.setPlayhead(8000);
    EXPECT_TRUE(voice->heard().ended);
    EXPECT_EQ(voice->heard().frame, 8000u);
}

// Blocks mixed but not heard stay out of the producer's reach.
TEST(HeldOutput, BlocksAreKeptUntilHeard) {
    Mixer mixer(1.0f);
    const auto voice = countingVoice(Voice::kBlocks);
    ASSERT_TRUE(mixer.attach(voice));
    mixer.setPlayhead(0);
    render(mixer, 10 * kFrames);
    EXPECT_EQ(voice->freeBlock(), nullptr);
    mixer.setPlayhead(4 * kFrames);
    render(mixer, 1);
    EXPECT_NE(voice->freeBlock(), nullptr);

    // Back to counting what is mixed as heard: everything mixed is free again.
    mixer.setPlayhead(kHeardAsMixed);
    render(mixer, 1);
    EXPECT_EQ(voice->heard().frame, 10 * kFrames + 2);
}

}  // namespace
