#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/audio/BassTypes.h"
#include "platform/audio/Decoder.h"
#include "platform/audio/Effect.h"
#include "platform/audio/ParamEq.h"
#include "platform/audio/Resampler.h"
#include "platform/audio/Voice.h"

namespace audio {

// A stream or a module: its decoder, its effects and the state the library's
// calls see. The user-interface thread controls it; the producer (see Voice)
// decodes, applies the effects and resamples into its voice, under the channel's
// lock, which the user-interface thread takes only for short changes.
class Channel {
  public:
    enum class Kind { Stream, Music };

    Channel(Kind kind, std::unique_ptr<Decoder> decoder, DWORD flags, int outputRate);

    Kind kind() const { return kind_; }
    DWORD flags() const { return flags_; }
    int rate() const { return rate_; }
    int channels() const { return channels_; }
    // Frames in the whole stream; a length still being worked out is waited for
    // without holding up the producer.
    std::uint64_t length();
    const std::shared_ptr<Voice>& voice() const { return voice_; }

    // Playback state (user-interface thread).
    void play(bool restart);
    bool pause();
    void stop();
    // BASS_ACTIVE_*: a channel that has played to its end reads as stopped.
    DWORD activity();
    std::uint64_t position();
    bool seek(std::uint64_t frame);

    // Effects, applied in falling priority, equal priorities in the order added.
    Effect* addEffect(std::unique_ptr<Effect> effect, int priority);
    bool setEffectParameters(Effect* effect, const void* record);
    void effectParameters(const Effect* effect, void* record);

    // How far live playback decodes ahead: about 280 ms.
    static constexpr std::size_t kAheadBlocks = 12;

    // Producer: decodes until the voice holds at least `blocks` blocks.
    void fill(std::size_t blocks);
    // When the caller is also the consumer: makes at least `frames` output frames
    // ready, or the channel's end; if it has to decode at all, it goes on until
    // `aheadBlocks` blocks are ready.
    void prepare(std::size_t frames, std::size_t aheadBlocks);

  private:
    enum class State { Stopped, Playing, Paused };
    struct Slot {
        int priority;
        std::unique_ptr<Effect> effect;
    };

    bool produce();
    std::uint64_t frameAfter(std::uint64_t made) const;
    void applyEffects(std::size_t frames);
    const float* stereoOf(std::size_t frames);

    const Kind kind_;
    const DWORD flags_;
    const int rate_;
    const int channels_;
    const std::size_t blockFrames_;  // channel frames decoded per block
    State state_ = State::Stopped;
    std::uint64_t seekTarget_ = 0;         // position until the output plays the current epoch
    std::optional<std::uint64_t> length_;  // once known, it never changes
    std::shared_ptr<Voice> voice_;

    std::mutex mutex_;  // guards everything below
    std::unique_ptr<Decoder> decoder_;
    std::vector<Slot> effects_;
    std::vector<ParamEq*> bands_;  // effects_ that are equalizer bands, else null
    Resampler resampler_;
    std::vector<float> decoded_;
    std::vector<float> stereo_;
    std::uint64_t produced_ = 0;       // channel frame the decoder reads next
    std::uint64_t seekBase_ = 0;       // channel frame of the last seek
    std::uint64_t historyBase_ = 0;    // history serial of that frame
    std::uint64_t madeSinceSeek_ = 0;  // output frames made since
    bool decoderDone_ = false;
    bool endQueued_ = false;
    const std::vector<float> sideGains_;  // beyond two channels: left and right gain of each
};

}  // namespace audio
