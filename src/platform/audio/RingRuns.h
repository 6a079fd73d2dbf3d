#pragma once

#include <algorithm>
#include <cstddef>

namespace audio {

// Calls copy(offset, slot, run) over count slots of a ring of `size` from `slot`
// on: at most two runs, up to the ring's end and then from its start.
template <typename Copy>
void inRuns(std::size_t size, std::size_t slot, std::size_t count, Copy copy) {
    for (std::size_t i = 0; i < count;) {
        const std::size_t run = std::min(count - i, size - slot);
        copy(i, slot, run);
        i += run;
        slot = 0;
    }
}

}  // namespace audio
