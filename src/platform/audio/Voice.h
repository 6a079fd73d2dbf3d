#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/audio/Timeline.h"

namespace audio {

// A run of a channel's audio, ready for the output: stereo frames at the output
// rate, with the channel frames they came from.
struct Block {
    static constexpr std::size_t kCapacity = 2048;  // output frames

    std::uint32_t epoch = 0;
    std::uint32_t outFrames = 0;
    std::uint32_t inFrames = 0;
    bool last = false;               // the channel ends after this block
    std::uint64_t startFrame = 0;    // channel position of the first frame
    std::uint64_t historyStart = 0;  // history serial of the first frame
    std::array<float, 2 * kCapacity> data;
};

// The part of a channel that the output thread touches, shared without locks.
// One producer (the feeder, or the clock's thread with a manual clock) fills a
// ring of blocks; one consumer (the output) mixes them and publishes what it
// mixed. A seek starts a new epoch: blocks of older epochs are skipped unheard.
// What has been played is what was mixed, unless the voice follows a playhead: then
// it is what was mixed up to the playhead's output frame (see Timeline), and mixed
// blocks are kept until they are heard, so the voice can go back to that frame.
// The channel's processed frames are also kept, at their own rate and channel
// count, in a history ring that the user-interface thread reads for data requests.
class Voice {
  public:
    static constexpr std::size_t kBlocks = 48;
    // Played frames a data request may ask for.
    static constexpr std::size_t kReadableFrames = 8192;
    // Channel frames a block may come from.
    static constexpr std::size_t kMaxBlockFrames = 4096;

    // History for blocks of blockFrames channel frames.
    static std::size_t historyFor(std::size_t blockFrames);

    Voice(int channels, std::size_t blockFrames);

    // The output frame the listener has reached, set before the voice is first mixed.
    void follow(const std::atomic<std::uint64_t>* playhead) { playhead_ = playhead; }

    // Control (user-interface thread).
    void setPlaying(bool playing) { playing_.store(playing, std::memory_order_release); }
    bool playing() const { return playing_.load(std::memory_order_acquire); }
    void newEpoch() { epoch_.fetch_add(1, std::memory_order_acq_rel); }
    std::uint32_t epoch() const { return epoch_.load(std::memory_order_acquire); }
    Heard heard() const;
    // Where the `frames` played frames of the history that end at serial end lie:
    // the first `missing` are before the first frame or no longer held, the rest
    // in at most two runs of interleaved frames.
    struct HistoryRuns {
        std::size_t missing = 0;
        std::array<std::span<const float>, 2> runs;
    };
    HistoryRuns historyRuns(std::uint64_t end, std::size_t frames) const;
    // Those frames, interleaved, with zeros for the missing ones.
    void copyHistory(std::uint64_t end, float* out, std::size_t frames) const;
    // Whether the frames that end at serial end are still held (not yet written over).
    bool holds(std::uint64_t end, std::size_t frames) const;

    // Producer.
    Block* freeBlock();
    void commitBlock();
    std::size_t queuedBlocks() const;
    // Appends frames to the history; returns the serial of the first.
    std::uint64_t addHistory(const float* frames, std::size_t count);
    std::uint64_t historyWritten() const { return written_.load(std::memory_order_acquire); }

    // Consumer.
    // Adds up to frames of this voice to out (stereo), whose first frame is output
    // frame serial; stops early when the ring runs dry or the channel ends.
    void mixInto(float* out, std::size_t frames, std::uint64_t serial = 0);
    // Mixing starts again from output frame serial: back to where the voice stood then.
    void rewindTo(std::uint64_t serial);
    // The playhead counts from a new output's start.
    void forgetMarks() { timeline_.clear(); }
    // Skips blocks of older epochs.
    void dropStale();
    // Frames ready for mixing, and whether the channel's last block is among them.
    std::size_t readyFrames(bool* endQueued) const;

  private:
    void publish(const Heard& heard);
    bool held() const { return playhead_ && playhead_->load() != kHeardAsMixed; }
    void setTail(std::size_t tail);
    void freeUpTo(std::size_t tail);
    void passStale(std::size_t tail);

    int channels_;
    std::size_t historyFrames_;  // a power of two
    std::vector<float> history_;
    std::atomic<std::uint64_t> written_{0};

    std::unique_ptr<std::array<Block, kBlocks>> blocks_;
    std::atomic<std::size_t> head_{0};   // blocks committed
    std::atomic<std::size_t> tail_{0};   // blocks consumed
    std::atomic<std::size_t> freed_{0};  // blocks heard, which the producer may reuse
    std::size_t offset_ = 0;             // frames consumed of the tail block
    Heard consumed_;                     // consumer's own copy of what it published
    const std::atomic<std::uint64_t>* playhead_ = nullptr;
    Timeline timeline_;

    std::atomic<bool> playing_{false};
    std::atomic<std::uint32_t> epoch_{0};

    // Seqlock around the published Heard.
    std::atomic<std::uint32_t> sequence_{0};
    std::atomic<std::uint32_t> heardEpoch_{0};
    std::atomic<std::uint64_t> heardFrame_{0};
    std::atomic<std::uint64_t> heardHistory_{0};
    std::atomic<bool> heardEnded_{false};
};

}  // namespace audio
