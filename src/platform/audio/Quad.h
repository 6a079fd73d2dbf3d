#pragma once

#include <cmath>
#include <cstddef>

#include "platform/audio/Lanes.h"

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace audio {

// Four floats side by side, worked on at once (SSE on x86, the compiler's own
// vector code elsewhere).
using Quad = float __attribute__((vector_size(16)));

// Unaligned loads and stores.
inline Quad loadQuad(const float* from) {
    Quad q;
    load(q, from);
    return q;
}

inline void storeQuad(float* to, Quad q) {
    store(to, q);
}

inline Quad sqrtQuad(Quad q) {
#if defined(__SSE__)
    return _mm_sqrt_ps(q);
#else
    return Quad{std::sqrt(q[0]), std::sqrt(q[1]), std::sqrt(q[2]), std::sqrt(q[3])};
#endif
}

// The even and the odd floats of two quads: {a0, a2, b0, b2} and {a1, a3, b1, b3}.
inline Quad evens(Quad a, Quad b) {
    return __builtin_shuffle(a, b, kEvens<Quad>);
}

inline Quad odds(Quad a, Quad b) {
    return __builtin_shuffle(a, b, kOdds<Quad>);
}

// out[i] += from[i] for count floats.
inline void addInto(float* out, const float* from, std::size_t count) {
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4)
        storeQuad(out + i, loadQuad(out + i) + loadQuad(from + i));
    for (; i < count; ++i)
        out[i] += from[i];
}

}  // namespace audio
