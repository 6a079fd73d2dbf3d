#include "platform/audio/Timeline.h"

#include <algorithm>

namespace audio {

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;
}  // namespace

// A sequence lock: readers retry when a change ran meanwhile.
template <typename Change>
void Timeline::change(Change change) {
    const std::uint32_t s = sequence_.load(kRelaxed);
    sequence_.store(s + 1, kRelaxed);
    std::atomic_thread_fence(std::memory_order_release);
    change();
    sequence_.store(s + 2, std::memory_order_release);
}

void Timeline::add(const Mark& mark) {
    change([&] {
        const std::uint64_t index = count_.load(kRelaxed);
        Slot& slot = slots_[index % kMarks];
        slot.serial.store(mark.serial, kRelaxed);
        slot.frame.store(mark.heard.frame, kRelaxed);
        slot.historyEnd.store(mark.heard.historyEnd, kRelaxed);
        slot.tail.store(mark.tail, kRelaxed);
        slot.epoch.store(mark.heard.epoch, kRelaxed);
        slot.offset.store(static_cast<std::uint32_t>(mark.offset), kRelaxed);
        slot.ended.store(mark.heard.ended, kRelaxed);
        count_.store(index + 1, kRelaxed);
    });
}

void Timeline::cutAfter(std::uint64_t serial) {
    std::uint64_t count = count_.load(kRelaxed);
    const std::uint64_t first = oldest(count);
    while (count > first && slots_[(count - 1) % kMarks].serial.load(kRelaxed) > serial)
        --count;
    change([&] { count_.store(count, kRelaxed); });
}

void Timeline::clear() {
    begin_ = count_.load(kRelaxed);
    change([&] { first_.store(begin_, kRelaxed); });
}

std::uint64_t Timeline::oldest(std::uint64_t count) const {
    const std::uint64_t kept = count > kMarks ? count - kMarks : 0;
    return std::max(kept, first_.load(kRelaxed));
}

Mark Timeline::read(std::uint64_t index) const {
    const Slot& slot = slots_[index % kMarks];
    Mark mark;
    mark.serial = slot.serial.load(kRelaxed);
    mark.heard.frame = slot.frame.load(kRelaxed);
    mark.heard.historyEnd = slot.historyEnd.load(kRelaxed);
    mark.tail = static_cast<std::size_t>(slot.tail.load(kRelaxed));
    mark.heard.epoch = slot.epoch.load(kRelaxed);
    mark.offset = slot.offset.load(kRelaxed);
    mark.heard.ended = slot.ended.load(kRelaxed);
    return mark;
}

// The mark at or before serial (else the earliest) and the one after it, if any.
Timeline::Around Timeline::around(std::uint64_t serial) const {
    for (;;) {
        const std::uint32_t before = sequence_.load(std::memory_order_acquire);
        const std::uint64_t count = count_.load(kRelaxed);
        std::uint64_t lo = oldest(count);
        Around found;
        if (lo < count) {
            // The first mark after serial, by halving.
            std::uint64_t hi = count;
            const std::uint64_t first = lo;
            while (lo < hi) {
                const std::uint64_t mid = lo + (hi - lo) / 2;
                if (slots_[mid % kMarks].serial.load(kRelaxed) <= serial)
                    lo = mid + 1;
                else
                    hi = mid;
            }
            found.at = read(lo > first ? lo - 1 : first);
            if (lo > first && lo < count) found.next = read(lo);
        }
        std::atomic_thread_fence(std::memory_order_acquire);
        if (before % 2 == 0 && sequence_.load(kRelaxed) == before) return found;
    }
}

std::optional<Mark> Timeline::at(std::uint64_t serial) const {
    return around(serial).at;
}

// Between two marks of one epoch the channel moved on evenly.
std::optional<Heard> Timeline::heardAt(std::uint64_t serial) const {
    const Around found = around(serial);
    if (!found.at) return std::nullopt;
    Heard heard = found.at->heard;
    if (!found.next || found.next->heard.epoch != heard.epoch || serial <= found.at->serial)
        return heard;
    const double share = static_cast<double>(serial - found.at->serial) /
                         static_cast<double>(found.next->serial - found.at->serial);
    const auto along = [share](std::uint64_t from, std::uint64_t to) {
        return to <= from ? from : from + static_cast<std::uint64_t>(share * (to - from));
    };
    heard.frame = along(heard.frame, found.next->heard.frame);
    heard.historyEnd = along(heard.historyEnd, found.next->heard.historyEnd);
    return heard;
}

}  // namespace audio
