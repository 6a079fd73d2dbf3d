#pragma once

#include <atomic>
#include <cstring>
#include <utility>

// Code written once for vectors of four or eight floats. The eight-lane kind is
// only for functions built for AVX2 and FMA and chosen at run time (wideChosen);
// nothing passes or returns a vector by value, so the rest of the program keeps
// its calling convention whatever the processor.
namespace audio {

using Oct = float __attribute__((vector_size(32)));

template <class Vec>
constexpr int kLanes = sizeof(Vec) / sizeof(float);

// Lane choices for __builtin_shuffle, and the results of comparing vectors.
template <class Vec>
using LanesOf = decltype(Vec{} < Vec{});

// Lane choices where lane k takes lane Pick{}(k) of the vectors shuffled (of two,
// the second's counted on from the first's).
template <class Vec, class Pick, class = std::make_integer_sequence<int, kLanes<Vec>>>
constexpr LanesOf<Vec> kPicked{};
template <class Vec, class Pick, int... K>
constexpr LanesOf<Vec> kPicked<Vec, Pick, std::integer_sequence<int, K...>>{Pick{}(K)...};

// The even and the odd floats of two vectors, the first's then the second's.
constexpr auto kEvenPick = [](int k) { return 2 * k; };
constexpr auto kOddPick = [](int k) { return 2 * k + 1; };
template <class Vec>
constexpr LanesOf<Vec> kEvens = kPicked<Vec, decltype(kEvenPick)>;
template <class Vec>
constexpr LanesOf<Vec> kOdds = kPicked<Vec, decltype(kOddPick)>;

// The first and the second halves of two vectors, interleaved: a0 b0 a1 b1 ...
template <class Vec, int From>
struct PairPick {
    constexpr int operator()(int k) const { return k % 2 * kLanes<Vec> + k / 2 + From; }
};
template <class Vec>
constexpr LanesOf<Vec> kFirstPairs = kPicked<Vec, PairPick<Vec, 0>>;
template <class Vec>
constexpr LanesOf<Vec> kSecondPairs = kPicked<Vec, PairPick<Vec, kLanes<Vec> / 2>>;

// Within each group of four lanes (a processor register's half at a time), after
// a pattern of four lanes of two vectors.
template <class Vec, int P0, int P1, int P2, int P3>
struct InFoursPick {
    constexpr int operator()(int k) const {
        const int pattern[4] = {P0, P1, P2, P3};
        const int p = pattern[k % 4];
        return p / 4 * kLanes<Vec> + p % 4 + k / 4 * 4;
    }
};
template <class Vec, int P0, int P1, int P2, int P3>
constexpr LanesOf<Vec> kInFours = kPicked<Vec, InFoursPick<Vec, P0, P1, P2, P3>>;

template <class Vec>
[[gnu::always_inline]] inline void load(Vec& to, const float* from) {
    std::memcpy(&to, from, sizeof to);
}

template <class Vec>
[[gnu::always_inline]] inline void store(float* to, const Vec& from) {
    std::memcpy(to, &from, sizeof from);
}

// Each group of four vectors' four-lane groups as the rows of a 4 x 4 matrix,
// turned into its columns.
template <class Vec>
[[gnu::always_inline]] inline void transposeFours(Vec& a, Vec& b, Vec& c, Vec& d) {
    const Vec ab = __builtin_shuffle(a, b, kInFours<Vec, 0, 4, 1, 5>);
    const Vec cd = __builtin_shuffle(c, d, kInFours<Vec, 0, 4, 1, 5>);
    const Vec abHigh = __builtin_shuffle(a, b, kInFours<Vec, 2, 6, 3, 7>);
    const Vec cdHigh = __builtin_shuffle(c, d, kInFours<Vec, 2, 6, 3, 7>);
    a = __builtin_shuffle(ab, cd, kInFours<Vec, 0, 1, 4, 5>);
    b = __builtin_shuffle(ab, cd, kInFours<Vec, 2, 3, 6, 7>);
    c = __builtin_shuffle(abHigh, cdHigh, kInFours<Vec, 0, 1, 4, 5>);
    d = __builtin_shuffle(abHigh, cdHigh, kInFours<Vec, 2, 3, 6, 7>);
}

inline std::atomic<bool> narrowForced{false};

// For tests: the four-lane code even where the processor has eight.
inline void forceNarrow(bool narrow) {
    narrowForced = narrow;
}

#if defined(__x86_64__)
// Whether to run the eight-lane code.
inline bool wideChosen() {
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    }();
    return available && !narrowForced.load(std::memory_order_relaxed);
}
#endif

}  // namespace audio
