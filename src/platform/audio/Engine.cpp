#include "platform/audio/Engine.h"

#include <algorithm>

#include "platform/clock/Clock.h"

namespace audio {

Engine::Engine(ui::Clock& clock, int rate, bool nullOutput, Tap tap, OpenDevice openDevice,
               float volume)
    : clock_(clock),
      rate_(rate),
      nullOutput_(nullOutput),
      tap_(std::move(tap)),
      openDevice_(std::move(openDevice)),
      mixer_(std::make_shared<Mixer>(volume)) {}

namespace {

Source mixerSource(const std::shared_ptr<Mixer>& mixer, const Feeder::Wake& wake) {
    return {[mixer](float* out, std::size_t n) { return mixer->render(out, n); },
            [mixer](std::uint64_t frame) { mixer->setPlayhead(frame); },
            [mixer](std::uint64_t frame) { mixer->rewindTo(frame); }, wake};
}

}  // namespace

// The output and the feeder stop before the channels go; an output that a feeder
// left to finish on its own still opens or closes has nothing left to play.
Engine::~Engine() {
    for (const auto& channel : channels_)
        mixer_->detach(channel->voice().get());
    feeder_.reset();
    inline_.reset();
}

bool Engine::attach(const std::shared_ptr<Channel>& channel) {
    if (isAttached(*channel)) return true;
    if (!mixer_->attach(channel->voice())) return false;
    channels_.push_back(channel);
    if (!inline_ && !feeder_) startOutput();
    if (feeder_) feeder_->setChannels(channels_);
    caughtUpAtMs_ = -1;
    return true;
}

void Engine::detach(const Channel& channel) {
    if (!isAttached(channel)) return;
    mixer_->detach(channel.voice().get());
    std::erase_if(channels_, [&channel](const auto& c) { return c.get() == &channel; });
    if (feeder_) feeder_->setChannels(channels_);
    caughtUpAtMs_ = -1;
}

void Engine::changed() {
    caughtUpAtMs_ = -1;
    if (feeder_) feeder_->changed();
}

// A tick asks whether a channel plays and then for its data: the second
// question in the same millisecond finds the playhead where the first left it.
void Engine::catchUp() {
    if (feeder_) {
        const std::int64_t now = clock_.nowMs();
        if (now != caughtUpAtMs_) feeder_->catchUp();
        caughtUpAtMs_ = now;
    }
    if (inline_) inline_->pump();
}

bool Engine::isAttached(const Channel& channel) const {
    return std::any_of(channels_.begin(), channels_.end(),
                       [&channel](const auto& c) { return c.get() == &channel; });
}

// A null output has no deadline to meet, so it needs no thread: what it plays is
// decoded when the clock moves on (manual) or when someone asks (live).
void Engine::startOutput() {
    if (clock_.isManual()) {
        inline_ = openClockedOutput(
            clock_, rate_, [this](float* out, std::size_t n) { return renderNow(out, n, 0); },
            tap_);
        return;
    }
    if (nullOutput_) {
        inline_ = openPacedOutput(
            rate_,
            [this](float* out, std::size_t n) { return renderNow(out, n, Channel::kAheadBlocks); },
            tap_);
        return;
    }
    feeder_ = std::make_unique<Feeder>(
        [rate = rate_, tap = tap_, openDevice = openDevice_,
         mixer = mixer_](const Feeder::Wake& wake) -> std::unique_ptr<Output> {
            const Source source = mixerSource(mixer, wake);
            if (auto device = openDevice(rate, source)) return device;
            return openPacedOutput(rate, source.render, tap);
        });
}

// For an output fed on the calling thread, which is producer and consumer at once:
// each chunk is decoded before it is mixed. Live, decoding goes in batches of
// aheadBlocks: a decoder woken for every small chunk spends more time bringing
// itself back into the cache than decoding.
bool Engine::renderNow(float* out, std::size_t frames, std::size_t aheadBlocks) {
    if (!mixer_->anyPlaying()) return false;
    for (const auto& channel : channels_) {
        if (channel->voice()->playing()) channel->prepare(frames, aheadBlocks);
    }
    mixer_->render(out, frames);
    return true;
}

}  // namespace audio
