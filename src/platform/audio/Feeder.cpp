#include "platform/audio/Feeder.h"

#include <chrono>

namespace audio {

namespace {
// Topped up ten times a second: every wake-up costs more processor time than
// decoding what plays meanwhile, so they are few. (Seeks and plays wake the
// feeder at once; effect changes are heard after what is ahead.)
constexpr auto kRound = std::chrono::milliseconds(100);
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

void Feeder::catchUp() {
    std::lock_guard lock(outputMutex_);
    if (output_) output_->pump();
}

void Feeder::setOutput(std::unique_ptr<Output> output) {
    std::lock_guard lock(outputMutex_);
    output_ = std::move(output);
}

void Feeder::run(const OpenOutput& openOutput) {
    setOutput(openOutput());
    std::vector<std::shared_ptr<Channel>> channels;
    while (waitForWork()) {
        {
            std::lock_guard lock(mutex_);
            channels = channels_;
        }
        for (const auto& channel : channels) {
            if (channel->voice()->playing()) channel->fill(Channel::kAheadBlocks);
        }
        channels.clear();
        catchUp();
    }
    setOutput(nullptr);
}

// Waits for the next round; false once stopping.
bool Feeder::waitForWork() {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, kRound, [this] { return woken_ || stopping_; });
    woken_ = false;
    return !stopping_;
}

}  // namespace audio
