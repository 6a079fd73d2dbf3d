#include "platform/audio/Engine.h"

#include <algorithm>

#include "platform/ui/Clock.h"

namespace audio {

Engine::Engine(ui::Clock& clock, int rate, bool nullOutput, Tap tap, float volume)
    : clock_(clock), rate_(rate), nullOutput_(nullOutput), tap_(std::move(tap)), mixer_(volume) {}

// The output and the feeder stop before the mixer and the channels go.
Engine::~Engine() {
    feeder_.reset();
    clocked_.reset();
}

bool Engine::attach(const std::shared_ptr<Channel>& channel) {
    if (isAttached(*channel)) return true;
    if (!mixer_.attach(channel->voice())) return false;
    channels_.push_back(channel);
    if (!clocked_ && !feeder_) startOutput();
    if (feeder_) feeder_->setChannels(channels_);
    return true;
}

void Engine::detach(const Channel& channel) {
    if (!isAttached(channel)) return;
    mixer_.detach(channel.voice().get());
    std::erase_if(channels_, [&channel](const auto& c) { return c.get() == &channel; });
    if (feeder_) feeder_->setChannels(channels_);
}

void Engine::wake() {
    if (feeder_) feeder_->wake();
}

void Engine::catchUp() {
    if (feeder_) feeder_->catchUp();
}

bool Engine::isAttached(const Channel& channel) const {
    return std::any_of(channels_.begin(), channels_.end(),
                       [&channel](const auto& c) { return c.get() == &channel; });
}

void Engine::startOutput() {
    if (clock_.isManual()) {
        clocked_ = openClockedOutput(
            clock_, rate_, [this](float* out, std::size_t n) { return renderClocked(out, n); },
            tap_);
        return;
    }
    Render render = [this](float* out, std::size_t n) {
        mixer_.render(out, n);
        return true;
    };
    feeder_ = std::make_unique<Feeder>([this, render]() -> std::unique_ptr<Output> {
        if (!nullOutput_) {
            if (auto device = openDeviceOutput(rate_, render)) return device;
        }
        return openPacedOutput(rate_, render, tap_);
    });
}

// With a manual clock this thread is producer and consumer at once: each chunk is
// decoded just before it is mixed.
bool Engine::renderClocked(float* out, std::size_t frames) {
    if (!mixer_.anyPlaying()) return false;
    for (const auto& channel : channels_) {
        if (channel->voice()->playing()) channel->prepare(frames);
    }
    mixer_.render(out, frames);
    return true;
}

}  // namespace audio
