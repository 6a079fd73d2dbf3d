#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace audio {

// A playhead's value while what is mixed counts as heard at once.
inline constexpr std::uint64_t kHeardAsMixed = ~std::uint64_t{0};

// What the output has played of a channel.
struct Heard {
    std::uint32_t epoch = 0;
    std::uint64_t frame = 0;       // channel position
    std::uint64_t historyEnd = 0;  // serial just past the last played history frame
    bool ended = false;

    bool operator==(const Heard&) const = default;
};

// Where a voice stood once the mixer had rendered `serial` output frames: what it
// had played, and where in its ring of blocks it was.
struct Mark {
    std::uint64_t serial = 0;
    Heard heard;
    std::size_t tail = 0;
    std::size_t offset = 0;
};

// The recent marks of a voice, for an output that holds what it renders a while
// before it is heard: what is heard now is the mark of the frame the listener has
// reached, and after the output drops what it holds, the voice goes back to the
// mark of the frame rendering starts again from. One thread (the consumer) adds
// marks; any thread looks them up, without locks.
class Timeline {
  public:
    static constexpr std::size_t kMarks = 512;

    // Consumer. Serials do not go down.
    void add(const Mark& mark);
    // Forgets the marks after serial.
    void cutAfter(std::uint64_t serial);
    void clear();
    bool empty() const { return count_.load(std::memory_order_relaxed) == begin_; }

    // The latest mark at or before serial, else the earliest one held; none when
    // there are none.
    std::optional<Mark> at(std::uint64_t serial) const;
    // What had been heard at serial, between the marks around it.
    std::optional<Heard> heardAt(std::uint64_t serial) const;

  private:
    struct Slot {
        std::atomic<std::uint64_t> serial{0};
        std::atomic<std::uint64_t> frame{0};
        std::atomic<std::uint64_t> historyEnd{0};
        std::atomic<std::uint64_t> tail{0};
        std::atomic<std::uint32_t> epoch{0};
        std::atomic<std::uint32_t> offset{0};
        std::atomic<bool> ended{false};
    };
    struct Around {
        std::optional<Mark> at;
        std::optional<Mark> next;
    };
    Around around(std::uint64_t serial) const;
    Mark read(std::uint64_t index) const;
    std::uint64_t oldest(std::uint64_t count) const;
    template <typename Change>
    void change(Change change);

    std::array<Slot, kMarks> slots_;
    std::atomic<std::uint64_t> count_{0};  // marks added, less those cut
    std::uint64_t begin_ = 0;              // consumer: first mark since the last clear
    std::atomic<std::uint64_t> first_{0};  // the same, for readers
    std::atomic<std::uint32_t> sequence_{0};
};

}  // namespace audio
