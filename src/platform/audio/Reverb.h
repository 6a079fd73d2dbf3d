#pragma once

#include <array>
#include <vector>

#include "platform/audio/Effect.h"
#include "platform/audio/Glide.h"
#include "platform/audio/Lanes.h"
#include "platform/audio/Quad.h"

namespace audio {

// A stereo algorithmic reverb: the input, summed to mono, passes four diffusing
// all-pass filters into an eight-line feedback delay network mixed by a Hadamard
// matrix. Each line's loop gain gives the reverb time; a high-shelf in each loop
// shortens it above a few kHz by the high-frequency ratio. The dry signal passes
// unchanged; the network's output is added at the reverb mix level.
class Reverb : public Effect {
  public:
    Reverb(int rate, int channels);

    void process(float* frames, std::size_t count) override;
    bool setParameters(const void* record) override;
    void parameters(void* record) const override;

  private:
    static constexpr int kLines = 8;
    static constexpr int kDiffusers = 4;
    // Frames worked on at once, at most: whole vectors of either width.
    static constexpr std::size_t kChunkFrames = 128;
    using Chunk = std::array<float, kChunkFrames>;

    // A delay: what went in `delay` frames ago comes back out. A chunk is worked on
    // in whole vectors, in place unless it wraps round the buffer's end.
    struct Ring {
        std::vector<float> buffer;  // a power of two long, longer than the delay by a chunk
        std::size_t delay = 1;
        Chunk outSpare{}, inSpare{};  // for a chunk that wraps round

        void setDelay(std::size_t frames);
        // The count frames that come out from frame now on.
        const float* out(std::size_t now, std::size_t count);
        // Where the count frames that go in from frame now on are to be made;
        // keep() then puts them in.
        float* in(std::size_t now, std::size_t count);
        void keep(std::size_t now, std::size_t count);
    };

    // A gain moving evenly from `from` by `step` a frame, the first step taken
    // before the first frame.
    struct Ramp {
        float from;
        float step;
        float at(std::size_t frame) const { return from + step * static_cast<float>(frame + 1); }
        template <class Vec>
        [[gnu::always_inline]] inline void lanesAt(Vec& gains, std::size_t frame) const;
    };

    // A first-order high shelf in each of four lines' loops: out = b0 in + z, then
    // z = c in + pole z.
    struct Shelf {
        Quad b0{}, c{}, pole{}, pole4{}, z{};  // pole4: pole to the fourth
    };

    // Working space for a chunk; past its end the last vector holds leftovers that
    // go nowhere.
    struct Scratch {
        Chunk input{}, left{}, right{};
    };

    void glide();
    void design();
    void clear();

    void run(float* frames, std::size_t count, float inFrom, float inTo, float wetFrom,
             float wetTo);
    // The chunks of a run, a vector of frames at a time; one for each vector width.
    template <class Vec>
    void runLanes(float* frames, std::size_t count, const Ramp& in, const Ramp& wet);
    template <class Vec>
    [[gnu::always_inline]] inline void runChunks(float* frames, std::size_t count, const Ramp& in,
                                                 const Ramp& wet);
    template <class Vec>
    [[gnu::always_inline]] inline void takeInput(const float* frames, std::size_t count,
                                                 std::size_t first, const Ramp& in);
    template <class Vec>
    [[gnu::always_inline]] inline void diffuse(std::size_t count);
    template <class Vec>
    [[gnu::always_inline]] inline void network(std::size_t count);
    template <class Vec>
    [[gnu::always_inline]] inline void addWet(float* frames, std::size_t count, std::size_t first,
                                              const Ramp& wet) const;

    BASS_DX8_REVERB record_{0.0f, 0.0f, 1000.0f, 0.001f};
    double rate_;
    int channels_;
    double fraction_;
    double feedFraction_;
    Glide inGain_;     // linear
    Glide wet_;        // linear
    Glide logTime_;    // log of the reverb time in ms
    Glide logRatio_;   // log of the high-frequency ratio
    Glide feed_{1.0};  // share of the input entering the network
    bool started_ = false;
    bool silent_ = false;
    std::size_t now_ = 0;
    std::size_t chunkFrames_ = 1;
    std::array<Ring, kLines> lines_;
    std::array<Shelf, 2> shelves_;  // lines 0-3, 4-7
    std::array<Ring, kDiffusers> diffusers_;
    Scratch scratch_;
};

}  // namespace audio
