#include "platform/audio/Feeder.h"

#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace audio {

namespace {
// Blocks to decode ahead: what the output holds besides (a block makes at most
// Block::kCapacity output frames, and about half that as a rule).
std::size_t aheadBlocks(std::size_t heldFrames) {
    return Channel::kAheadBlocks + 2 * heldFrames / Block::kCapacity + 1;
}

// How long a stopping feeder is waited for: a frame of the window.
constexpr std::chrono::milliseconds kStopWait{16};
}  // namespace

// What the thread shares with the feeder's owner; the thread keeps it alive, so it
// may outlive the feeder.
struct Feeder::Shared {
    struct Pace {
        std::chrono::milliseconds round{100};
        std::size_t held = 0;
    };
    bool waitForWork(std::chrono::milliseconds round);
    Pace pace();
    void setOutput(std::unique_ptr<Output> output);
    // Pumps the output; false when it is lost.
    bool pump();
    void wake();
    void finish();

    std::mutex outputMutex;  // held only while the output is pumped or swapped
    std::unique_ptr<Output> output;
    std::mutex mutex;
    std::condition_variable woken;
    std::condition_variable finished;
    bool wakeUp = false;
    bool stopping = false;
    bool done = false;
    std::vector<std::shared_ptr<Channel>> channels;
};

Feeder::Feeder(OpenOutput openOutput)
    : shared_(std::make_shared<Shared>()),
      thread_([shared = shared_, open = std::move(openOutput)] { run(*shared, open); }) {}

Feeder::~Feeder() {
    std::unique_lock lock(shared_->mutex);
    shared_->stopping = true;
    shared_->woken.notify_one();
    const bool done = shared_->finished.wait_for(lock, kStopWait, [this] { return shared_->done; });
    lock.unlock();
    if (done)
        thread_.join();
    else
        thread_.detach();
}

void Feeder::setChannels(std::vector<std::shared_ptr<Channel>> channels) {
    std::lock_guard lock(shared_->mutex);
    shared_->channels = std::move(channels);
}

void Feeder::wake() {
    shared_->wake();
}

void Feeder::changed() {
    {
        std::lock_guard lock(shared_->outputMutex);
        if (shared_->output) shared_->output->changed();
    }
    wake();
}

void Feeder::catchUp() {
    std::lock_guard lock(shared_->outputMutex);
    if (shared_->output) shared_->output->catchUp();
}

void Feeder::Shared::wake() {
    {
        std::lock_guard lock(mutex);
        wakeUp = true;
    }
    woken.notify_one();
}

// Topped up as seldom as the output allows: every wake-up costs more processor
// time than decoding what plays meanwhile. (Seeks and plays wake the feeder at
// once; effect changes are heard after what is ahead.)
Feeder::Shared::Pace Feeder::Shared::pace() {
    std::lock_guard lock(outputMutex);
    if (!output) return {};
    return {output->pumpEvery(), output->heldFrames()};
}

bool Feeder::Shared::pump() {
    std::lock_guard lock(outputMutex);
    if (!output) return true;
    output->pump();
    return !output->lost();
}

// The old output closes outside the lock: a device may take its time.
void Feeder::Shared::setOutput(std::unique_ptr<Output> next) {
    std::lock_guard lock(outputMutex);
    output.swap(next);
}

void Feeder::Shared::finish() {
    std::lock_guard lock(mutex);
    done = true;
    finished.notify_one();
}

void Feeder::run(Shared& shared, const OpenOutput& openOutput) {
    pthread_setname_np(pthread_self(), "plenk-feeder");
    const Wake wake = [&shared] { shared.wake(); };
    shared.setOutput(openOutput(wake));
    std::vector<std::shared_ptr<Channel>> channels;
    bool playing = true;
    Shared::Pace now;
    while (shared.waitForWork(playing ? now.round : std::chrono::milliseconds::max())) {
        {
            std::lock_guard lock(shared.mutex);
            channels = shared.channels;
        }
        playing = false;
        now = shared.pace();
        const std::size_t ahead = aheadBlocks(now.held);
        for (const auto& channel : channels) {
            if (!channel->voice()->playing()) continue;
            playing = true;
            channel->fill(ahead);
        }
        channels.clear();
        if (shared.pump()) continue;
        shared.setOutput(nullptr);
        shared.setOutput(openOutput(wake));
    }
    shared.setOutput(nullptr);
    shared.finish();
}

// Waits for the next round (max: until woken); false once stopping.
bool Feeder::Shared::waitForWork(std::chrono::milliseconds round) {
    std::unique_lock lock(mutex);
    const auto due = [this] { return wakeUp || stopping; };
    if (round == std::chrono::milliseconds::max())
        woken.wait(lock, due);
    else
        woken.wait_for(lock, round, due);
    wakeUp = false;
    return !stopping;
}

}  // namespace audio
