#include "platform/audio/Voice.h"

#include <algorithm>
#include <bit>

#include "platform/audio/Quad.h"
#include "platform/audio/RingRuns.h"

namespace audio {

// The producer runs at most a ring of blocks (plus the one it is making) ahead of
// what was played, and after a seek a ring of unplayed blocks more.
std::size_t Voice::historyFor(std::size_t blockFrames) {
    return std::bit_ceil((2 * kBlocks + 2) * blockFrames + kReadableFrames);
}

Voice::Voice(int channels, std::size_t blockFrames)
    : channels_(channels),
      historyFrames_(historyFor(blockFrames)),
      history_(historyFrames_ * static_cast<std::size_t>(channels)),
      blocks_(std::make_unique<std::array<Block, kBlocks>>()) {}

Heard Voice::heard() const {
    if (held()) {
        if (const auto heard = timeline_.heardAt(playhead_->load())) return *heard;
    }
    for (;;) {
        const std::uint32_t before = sequence_.load(std::memory_order_acquire);
        Heard h;
        h.epoch = heardEpoch_.load(std::memory_order_relaxed);
        h.frame = heardFrame_.load(std::memory_order_relaxed);
        h.historyEnd = heardHistory_.load(std::memory_order_relaxed);
        h.ended = heardEnded_.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (before % 2 == 0 && sequence_.load(std::memory_order_relaxed) == before) return h;
    }
}

void Voice::publish(const Heard& h) {
    const std::uint32_t s = sequence_.load(std::memory_order_relaxed);
    sequence_.store(s + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    heardEpoch_.store(h.epoch, std::memory_order_relaxed);
    heardFrame_.store(h.frame, std::memory_order_relaxed);
    heardHistory_.store(h.historyEnd, std::memory_order_relaxed);
    heardEnded_.store(h.ended, std::memory_order_relaxed);
    sequence_.store(s + 2, std::memory_order_release);
}

bool Voice::holds(std::uint64_t end, std::size_t frames) const {
    return written_.load(std::memory_order_acquire) + kMaxBlockFrames <=
           end - frames + historyFrames_;
}

Voice::HistoryRuns Voice::historyRuns(std::uint64_t end, std::size_t frames) const {
    if (!holds(end, frames)) return {frames, {}};
    const auto channels = static_cast<std::size_t>(channels_);
    HistoryRuns found;
    found.missing = end < frames ? frames - static_cast<std::size_t>(end) : 0;
    const std::size_t slot = (end - frames + found.missing) & (historyFrames_ - 1);
    const std::size_t first = std::min(frames - found.missing, historyFrames_ - slot);
    found.runs[0] = {&history_[slot * channels], first * channels};
    found.runs[1] = {history_.data(), (frames - found.missing - first) * channels};
    return found;
}

void Voice::copyHistory(std::uint64_t end, float* out, std::size_t frames) const {
    const HistoryRuns found = historyRuns(end, frames);
    out = std::fill_n(out, found.missing * static_cast<std::size_t>(channels_), 0.0f);
    for (const auto& run : found.runs)
        out = std::copy(run.begin(), run.end(), out);
}

Block* Voice::freeBlock() {
    const std::size_t head = head_.load(std::memory_order_relaxed);
    if (head - freed_.load(std::memory_order_acquire) >= kBlocks) return nullptr;
    return &(*blocks_)[head % kBlocks];
}

void Voice::commitBlock() {
    head_.fetch_add(1, std::memory_order_release);
}

std::size_t Voice::queuedBlocks() const {
    return head_.load(std::memory_order_relaxed) - tail_.load(std::memory_order_acquire);
}

std::uint64_t Voice::addHistory(const float* frames, std::size_t count) {
    const std::uint64_t start = written_.load(std::memory_order_relaxed);
    const auto channels = static_cast<std::size_t>(channels_);
    inRuns(historyFrames_, start & (historyFrames_ - 1), count,
           [&](std::size_t i, std::size_t slot, std::size_t run) {
               std::copy_n(frames + i * channels, run * channels, &history_[slot * channels]);
           });
    written_.store(start + count, std::memory_order_release);
    return start;
}

void Voice::setTail(std::size_t tail) {
    tail_.store(tail, std::memory_order_release);
    if (!held()) freed_.store(tail, std::memory_order_release);
}

void Voice::mixInto(float* out, std::size_t frames, std::uint64_t serial) {
    const bool marking = held();
    if (marking && timeline_.empty())
        timeline_.add({serial, consumed_, tail_.load(std::memory_order_relaxed), offset_});
    const std::size_t tailBefore = tail_.load(std::memory_order_relaxed);
    const std::uint32_t epoch = epoch_.load(std::memory_order_acquire);
    Heard now = consumed_;
    std::size_t done = 0;
    while (done < frames && !(now.ended && now.epoch == epoch)) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == head_.load(std::memory_order_acquire)) break;
        const Block& block = (*blocks_)[tail % kBlocks];
        if (block.epoch != epoch) {
            passStale(tail);
            continue;
        }
        const std::size_t n = std::min<std::size_t>(block.outFrames - offset_, frames - done);
        const float* from = block.data.data() + 2 * offset_;
        addInto(out + 2 * done, from, 2 * n);
        done += n;
        offset_ += n;
        const std::uint64_t played =
            block.outFrames ? block.inFrames * offset_ / block.outFrames : block.inFrames;
        now = {epoch, block.startFrame + played, block.historyStart + played, false};
        if (offset_ == block.outFrames) {
            now.ended = block.last;
            offset_ = 0;
            setTail(tail + 1);
        }
    }
    const bool moved = tail_.load(std::memory_order_relaxed) != tailBefore || done > 0;
    if (now != consumed_) {
        consumed_ = now;
        publish(now);
    }
    if (!marking) return;
    if (moved) timeline_.add({serial + done, now, tail_.load(std::memory_order_relaxed), offset_});
    if (const auto heard = timeline_.at(playhead_->load())) freeUpTo(heard->tail);
}

// Never back: a seek may have freed more than what is heard reaches yet.
void Voice::freeUpTo(std::size_t tail) {
    if (tail > freed_.load(std::memory_order_relaxed))
        freed_.store(tail, std::memory_order_release);
}

// A block of an older epoch is never heard, nor is any before it: its slot is
// free at once, so after a seek the producer decodes the new place before the
// output asks for it.
void Voice::passStale(std::size_t tail) {
    offset_ = 0;
    setTail(tail + 1);
    freeUpTo(tail + 1);
}

// Blocks from the mark's on are still held (see freed_), so they play again,
// but for what a seek left of the old place.
void Voice::rewindTo(std::uint64_t serial) {
    const auto mark = timeline_.at(serial);
    if (!mark) return;
    // Below what is freed lie only blocks a seek passed by.
    const std::size_t freed = freed_.load(std::memory_order_relaxed);
    const bool passed = mark->tail < freed;
    tail_.store(passed ? freed : mark->tail, std::memory_order_release);
    offset_ = passed ? 0 : mark->offset;
    consumed_ = mark->heard;
    publish(consumed_);
    timeline_.cutAfter(serial);
    if (timeline_.empty()) timeline_.add({serial, mark->heard, mark->tail, mark->offset});
    const std::size_t before = tail_.load(std::memory_order_relaxed);
    dropStale();
    const std::size_t after = tail_.load(std::memory_order_relaxed);
    if (after != before) timeline_.add({serial, consumed_, after, offset_});
}

void Voice::dropStale() {
    const std::uint32_t epoch = epoch_.load(std::memory_order_acquire);
    for (;;) {
        const std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == head_.load(std::memory_order_acquire)) return;
        if ((*blocks_)[tail % kBlocks].epoch == epoch) return;
        passStale(tail);
    }
}

std::size_t Voice::readyFrames(bool* endQueued) const {
    const std::uint32_t epoch = epoch_.load(std::memory_order_acquire);
    std::size_t frames = 0;
    *endQueued = consumed_.ended && consumed_.epoch == epoch;
    const std::size_t head = head_.load(std::memory_order_acquire);
    for (std::size_t i = tail_.load(std::memory_order_relaxed); i < head; ++i) {
        const Block& block = (*blocks_)[i % kBlocks];
        if (block.epoch != epoch) continue;
        frames += block.outFrames;
        *endQueued = *endQueued || block.last;
    }
    return frames - std::min(frames, offset_);
}

}  // namespace audio
