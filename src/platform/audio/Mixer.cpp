#include "platform/audio/Mixer.h"

#include <algorithm>

#include "platform/audio/Quad.h"

namespace audio {

Mixer::Mixer(float volume) : volume_(volume), applied_(volume) {}

Mixer::~Mixer() = default;

bool Mixer::attach(std::shared_ptr<Voice> voice) {
    collect();
    for (auto& slot : slots_) {
        if (slot.load() == nullptr) {
            voice->follow(&playhead_);
            slot.store(voice.get());
            attached_.push_back(std::move(voice));
            return true;
        }
    }
    return false;
}

// Clearing the slot before reading the render count (both sequentially
// consistent) means a render that starts later cannot see the voice.
void Mixer::detach(const Voice* voice) {
    for (auto& slot : slots_) {
        if (slot.load() == voice) slot.store(nullptr);
    }
    auto it = std::find_if(attached_.begin(), attached_.end(),
                           [voice](const auto& v) { return v.get() == voice; });
    if (it == attached_.end()) return;
    const std::uint64_t renders = renders_.load();
    if (renders % 2 == 1) retired_.emplace_back(std::move(*it), renders);
    attached_.erase(it);
    collect();
}

void Mixer::collect() {
    const std::uint64_t renders = renders_.load();
    std::erase_if(retired_, [renders](const auto& r) { return r.second != renders; });
}

bool Mixer::anyPlaying() const {
    return std::any_of(attached_.begin(), attached_.end(),
                       [](const auto& v) { return v->playing(); });
}

// Attached voices, seen from the output thread.
template <typename Each>
void Mixer::forEachVoice(Each each) {
    renders_.fetch_add(1);
    for (auto& slot : slots_) {
        if (Voice* voice = slot.load()) each(*voice);
    }
    renders_.fetch_add(1);
}

bool Mixer::render(float* out, std::size_t frames) {
    bool any = false;
    forEachVoice([&](Voice& voice) {
        if (!voice.playing()) return;
        if (!any) std::fill(out, out + 2 * frames, 0.0f);
        any = true;
        voice.mixInto(out, frames, serial_);
    });
    if (!any) return false;
    applyVolume(out, frames);
    serial_ += frames;
    return true;
}

// Marks of an earlier output count from another start.
void Mixer::setPlayhead(std::uint64_t serial) {
    if (serial == kHeardAsMixed) forEachVoice([](Voice& voice) { voice.forgetMarks(); });
    playhead_.store(serial);
}

void Mixer::rewindTo(std::uint64_t serial) {
    forEachVoice([serial](Voice& voice) {
        voice.rewindTo(serial);
        voice.dropStale();
    });
    serial_ = serial;
}

// The volume moves across the block rather than jumping, which would click; two
// stereo frames at a time.
void Mixer::applyVolume(float* out, std::size_t frames) {
    const float target = volume_.load(std::memory_order_relaxed);
    const float step = (target - applied_) / static_cast<float>(std::max<std::size_t>(frames, 1));
    const auto clamp = [](Quad q) {
        q = q < -1.0f ? -1.0f : q;
        return q > 1.0f ? 1.0f : q;
    };
    std::size_t i = 0;
    for (Quad count = {1, 1, 2, 2}; i + 2 <= frames; i += 2, count += 2.0f)
        storeQuad(out + 2 * i, clamp(loadQuad(out + 2 * i) * (applied_ + step * count)));
    if (i < frames) {
        const float gain = applied_ + step * static_cast<float>(i + 1);
        out[2 * i] = std::clamp(out[2 * i] * gain, -1.0f, 1.0f);
        out[2 * i + 1] = std::clamp(out[2 * i + 1] * gain, -1.0f, 1.0f);
    }
    applied_ = target;
}

}  // namespace audio
