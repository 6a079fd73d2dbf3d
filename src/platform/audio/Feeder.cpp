#include "platform/audio/Feeder.h"

#include <pthread.h>

#include <chrono>

namespace audio {

namespace {
// Blocks to decode ahead: what the output holds besides (a block makes at most
// Block::kCapacity output frames, and about half that as a rule).
std::size_t aheadBlocks(std::size_t heldFrames) {
    return Channel::kAheadBlocks + 2 * heldFrames / Block::kCapacity + 1;
}
}  // namespace

Feeder::Feeder(OpenOutput openOutput)
    : thread_([this, open = std::move(openOutput)] { run(open); }) {}

Feeder::~Feeder() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void Feeder::setChannels(std::vector<std::shared_ptr<Channel>> channels) {
    std::lock_guard lock(mutex_);
    channels_ = std::move(channels);
}

void Feeder::wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    wake_.notify_one();
}

void Feeder::changed() {
    {
        std::lock_guard lock(outputMutex_);
        if (output_) output_->changed();
    }
    wake();
}

void Feeder::catchUp() {
    std::lock_guard lock(outputMutex_);
    if (output_) output_->catchUp();
}

// Topped up as seldom as the output allows: every wake-up costs more processor
// time than decoding what plays meanwhile. (Seeks and plays wake the feeder at
// once; effect changes are heard after what is ahead.)
Feeder::Pace Feeder::pace() {
    std::lock_guard lock(outputMutex_);
    if (!output_) return {};
    return {output_->pumpEvery(), output_->heldFrames()};
}

bool Feeder::pump() {
    std::lock_guard lock(outputMutex_);
    if (!output_) return true;
    output_->pump();
    return !output_->lost();
}

void Feeder::setOutput(std::unique_ptr<Output> output) {
    std::lock_guard lock(outputMutex_);
    output_ = std::move(output);
}

void Feeder::run(const OpenOutput& openOutput) {
    pthread_setname_np(pthread_self(), "plenk-feeder");
    setOutput(openOutput());
    std::vector<std::shared_ptr<Channel>> channels;
    bool playing = true;
    Pace now;
    while (waitForWork(playing ? now.round : std::chrono::milliseconds::max())) {
        {
            std::lock_guard lock(mutex_);
            channels = channels_;
        }
        playing = false;
        now = pace();
        const std::size_t ahead = aheadBlocks(now.held);
        for (const auto& channel : channels) {
            if (!channel->voice()->playing()) continue;
            playing = true;
            channel->fill(ahead);
        }
        channels.clear();
        if (pump()) continue;
        setOutput(nullptr);
        setOutput(openOutput());
    }
    setOutput(nullptr);
}

// Waits for the next round (max: until woken); false once stopping.
bool Feeder::waitForWork(std::chrono::milliseconds round) {
    std::unique_lock lock(mutex_);
    const auto due = [this] { return woken_ || stopping_; };
    if (round == std::chrono::milliseconds::max())
        wake_.wait(lock, due);
    else
        wake_.wait_for(lock, round, due);
    woken_ = false;
    return !stopping_;
}

}  // namespace audio
