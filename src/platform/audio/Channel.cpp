#include "platform/audio/Channel.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace audio {

namespace {

// About 23 ms of output per block at 44.1 kHz.
constexpr double kOutputFramesPerBlock = 1024;

std::size_t blockFramesFor(int rate, int outputRate) {
    const double frames = std::floor(kOutputFramesPerBlock * rate / outputRate);
    return std::clamp<std::size_t>(static_cast<std::size_t>(frames), 1, Voice::kMaxBlockFrames);
}

// Denormal numbers in the effects' decaying feedback paths are slow; flush them
// to zero while this channel's audio is made.
class FlushDenormals {
  public:
#if defined(__SSE__)
    FlushDenormals() : saved_(_mm_getcsr()) {
        _mm_setcsr(saved_ | 0x8040);
    }
    ~FlushDenormals() {
        _mm_setcsr(saved_);
    }

  private:
    unsigned saved_;
#endif
};

}  // namespace

Channel::Channel(Kind kind, std::unique_ptr<Decoder> decoder, DWORD flags, int outputRate)
    : kind_(kind),
      flags_(flags),
      rate_(decoder->rate()),
      channels_(decoder->channels()),
      blockFrames_(blockFramesFor(rate_, outputRate)),
      voice_(std::make_shared<Voice>(channels_, blockFrames_)),
      decoder_(std::move(decoder)),
      resampler_(rate_, outputRate),
      decoded_(blockFrames_ * static_cast<std::size_t>(channels_)),
      stereo_(2 * blockFrames_),
      sideGains_(stereoGains(decoder_->speakers())) {}

void Channel::play(bool restart) {
    if (restart) seek(0);
    state_ = State::Playing;
    voice_->setPlaying(true);
}

bool Channel::pause() {
    if (activity() != BASS_ACTIVE_PLAYING) return false;
    state_ = State::Paused;
    voice_->setPlaying(false);
    return true;
}

void Channel::stop() {
    state_ = State::Stopped;
    voice_->setPlaying(false);
}

DWORD Channel::activity() {
    if (state_ == State::Playing) {
        const Heard heard = voice_->heard();
        if (heard.ended && heard.epoch == voice_->epoch()) stop();
    }
    switch (state_) {
        case State::Playing:
            return BASS_ACTIVE_PLAYING;
        case State::Paused:
            return BASS_ACTIVE_PAUSED;
        case State::Stopped:
            break;
    }
    return BASS_ACTIVE_STOPPED;
}

std::uint64_t Channel::position() {
    const Heard heard = voice_->heard();
    return heard.epoch == voice_->epoch() ? heard.frame : seekTarget_;
}

std::uint64_t Channel::length() {
    if (!length_) {
        decoder_->awaitLength();
        std::lock_guard lock(mutex_);
        length_ = decoder_->frames();
    }
    return *length_;
}

bool Channel::seek(std::uint64_t frame) {
    activity();  // a channel that has ended stays stopped at its new position
    // Every seek waits here until the length is worked out, so that none waits
    // under the producer's lock.
    decoder_->awaitLength();
    std::lock_guard lock(mutex_);
    if (!decoder_->seek(frame)) return false;
    voice_->newEpoch();
    seekTarget_ = frame;
    seekBase_ = frame;
    historyBase_ = voice_->historyWritten();
    madeSinceSeek_ = 0;
    produced_ = frame;
    decoderDone_ = false;
    endQueued_ = false;
    resampler_.reset();
    return true;
}

Effect* Channel::addEffect(std::unique_ptr<Effect> effect, int priority) {
    std::lock_guard lock(mutex_);
    Effect* added = effect.get();
    const auto at = std::find_if(effects_.begin(), effects_.end(),
                                 [priority](const Slot& s) { return s.priority < priority; });
    effects_.insert(at, Slot{priority, std::move(effect)});
    bands_.clear();
    for (const Slot& slot : effects_)
        bands_.push_back(dynamic_cast<ParamEq*>(slot.effect.get()));
    return added;
}

bool Channel::setEffectParameters(Effect* effect, const void* record) {
    std::lock_guard lock(mutex_);
    return effect->setParameters(record);
}

void Channel::effectParameters(const Effect* effect, void* record) {
    std::lock_guard lock(mutex_);
    effect->parameters(record);
}

void Channel::fill(std::size_t blocks) {
    std::lock_guard lock(mutex_);
    FlushDenormals flush;
    while (!endQueued_ && voice_->queuedBlocks() < blocks && produce()) {
    }
}

void Channel::prepare(std::size_t frames, std::size_t aheadBlocks) {
    voice_->dropStale();
    bool end = false;
    if (voice_->readyFrames(&end) >= frames || end) return;
    std::lock_guard lock(mutex_);
    FlushDenormals flush;
    while ((voice_->readyFrames(&end) < frames || voice_->queuedBlocks() < aheadBlocks) && !end &&
           produce()) {
    }
}

bool Channel::produce() {
    Block* block = voice_->freeBlock();
    if (!block) return false;
    const std::uint64_t start = frameAfter(madeSinceSeek_);
    const std::size_t got = decoderDone_ ? 0 : decoder_->read(decoded_.data(), blockFrames_);
    std::size_t made = 0;
    if (got > 0) {
        applyEffects(got);
        voice_->addHistory(decoded_.data(), got);
        produced_ += got;
        made = resampler_.process(stereoOf(got), got, block->data.data(), Block::kCapacity);
        block->last = false;
    } else {
        decoderDone_ = true;
        made = resampler_.drain(block->data.data(), Block::kCapacity);
        block->last = endQueued_ = made < Block::kCapacity;
    }
    madeSinceSeek_ += made;
    const std::uint64_t end = block->last ? produced_ : frameAfter(madeSinceSeek_);
    block->epoch = voice_->epoch();
    block->outFrames = static_cast<std::uint32_t>(made);
    block->startFrame = start;
    block->inFrames = static_cast<std::uint32_t>(end - start);
    block->historyStart = historyBase_ + (start - seekBase_);
    voice_->commitBlock();
    return true;
}

// The channel frame heard once `made` output frames have played since the last
// seek: by the rate ratio, so the converter's delay does not run the position ahead.
std::uint64_t Channel::frameAfter(std::uint64_t made) const {
    const auto frames = static_cast<std::uint64_t>(std::llround(made / resampler_.ratio()));
    return std::min(produced_, seekBase_ + frames);
}

// Equalizer bands in a row run as one cascade.
void Channel::applyEffects(std::size_t frames) {
    for (std::size_t i = 0; i < effects_.size();) {
        std::size_t end = i + 1;
        if (bands_[i]) {
            while (end < bands_.size() && bands_[end])
                ++end;
            ParamEq::processCascade(&bands_[i], end - i, decoded_.data(), frames);
        } else {
            effects_[i].effect->process(decoded_.data(), frames);
        }
        i = end;
    }
}

// Mono plays on both sides; beyond two channels, each goes where its speaker is.
const float* Channel::stereoOf(std::size_t frames) {
    if (channels_ == 2) return decoded_.data();
    mixToStereo(decoded_.data(), frames, channels_, sideGains_, stereo_.data());
    return stereo_.data();
}

}  // namespace audio
