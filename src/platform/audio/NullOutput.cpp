#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/audio/Output.h"
#include "platform/clock/Clock.h"

namespace audio {

namespace {

constexpr std::size_t kChunkFrames = 1024;
// A paced output catches up at most this far: fed on demand, it may go a second
// or so between calls, but after a stall (a suspended machine, say) the rest of
// the lost time is skipped rather than decoded all at once.
constexpr std::int64_t kCatchUpMs = 10000;

// Renders the frames between what was consumed and what is due, chunk by chunk.
class Consumer {
  public:
    Consumer(int rate, Render render, Tap tap)
        : rate_(rate),
          render_(std::move(render)),
          tap_(std::move(tap)),
          buffer_(2 * kChunkFrames) {}

    void consumeUntil(std::uint64_t due) {
        while (consumed_ < due) {
            const std::size_t n = std::min<std::uint64_t>(kChunkFrames, due - consumed_);
            if (!render_(buffer_.data(), n)) {
                consumed_ = due;
                return;
            }
            if (tap_) tap_(buffer_.data(), n);
            consumed_ += n;
        }
    }
    // Frames due after ms milliseconds.
    std::uint64_t framesIn(std::int64_t ms) const {
        return static_cast<std::uint64_t>(ms) * static_cast<std::uint64_t>(rate_) / 1000;
    }
    std::uint64_t consumed() const { return consumed_; }
    void skipTo(std::uint64_t frames) { consumed_ = frames; }

  private:
    int rate_;
    Render render_;
    Tap tap_;
    std::vector<float> buffer_;
    std::uint64_t consumed_ = 0;
};

class ClockedOutput : public Output {
  public:
    ClockedOutput(ui::Clock& clock, int rate, Render render, Tap tap)
        : clock_(clock), start_(clock.nowMs()), consumer_(rate, std::move(render), std::move(tap)) {
        listener_ = clock_.addTimeListener(
            [this](std::int64_t now) { consumer_.consumeUntil(consumer_.framesIn(now - start_)); });
    }
    ~ClockedOutput() override { clock_.removeTimeListener(listener_); }

  private:
    ui::Clock& clock_;
    std::int64_t start_;
    Consumer consumer_;
    int listener_ = 0;
};

// Consumes in step with real time on the thread that pumps it, each time it is
// pumped.
class PacedOutput : public Output {
  public:
    PacedOutput(int rate, Render render, Tap tap)
        : start_(std::chrono::steady_clock::now()),
          consumer_(rate, std::move(render), std::move(tap)) {}

    void pump() override {
        using namespace std::chrono;
        const auto ms = duration_cast<milliseconds>(steady_clock::now() - start_).count();
        const std::uint64_t due = consumer_.framesIn(ms);
        const std::uint64_t slack = consumer_.framesIn(kCatchUpMs);
        if (due > consumer_.consumed() + slack) consumer_.skipTo(due - slack);
        consumer_.consumeUntil(due);
    }

  private:
    std::chrono::steady_clock::time_point start_;
    Consumer consumer_;
};

}  // namespace

std::unique_ptr<Output> openClockedOutput(ui::Clock& clock, int rate, Render render, Tap tap) {
    return std::make_unique<ClockedOutput>(clock, rate, std::move(render), std::move(tap));
}

std::unique_ptr<Output> openPacedOutput(int rate, Render render, Tap tap) {
    return std::make_unique<PacedOutput>(rate, std::move(render), std::move(tap));
}

}  // namespace audio
