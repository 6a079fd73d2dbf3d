// Writes the bundled sample: a short stereo tune of our own, synthesised
// here so the repository carries no audio it did not make.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

double noteHz(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// A plucked-sounding note: a few harmonics under a fast attack and slow decay.
void addNote(std::vector<float>& out, double start, double length, double hz, double pan) {
    const auto first = static_cast<std::size_t>(start * kRate);
    const auto count = static_cast<std::size_t>(length * kRate);
    for (std::size_t i = 0; i < count && (first + i) * 2 + 1 < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min(1.0, t * 200.0) * std::exp(-3.0 * t);
        const double s =
            env * (0.6 * std::sin(2 * kPi * hz * t) + 0.25 * std::sin(4 * kPi * hz * t) +
                   0.1 * std::sin(6 * kPi * hz * t));
        out[(first + i) * 2] += static_cast<float>(0.3 * s * (1.0 - pan));
        out[(first + i) * 2 + 1] += static_cast<float>(0.3 * s * pan);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample OUTPUT.ogg\n");
        return 2;
    }
    const int melody[] = {0,  3, 7, 10, 12, 10, 7, 3, 5, 8, 12, 15, 17, 15, 12, 8,
                          -2, 2, 5, 9,  10, 9,  5, 2, 0, 3, 7,  12, 15, 12, 7,  3};
    const int bass[] = {-24, -24, -19, -19, -26, -26, -21, -24};
    const double beat = 0.25;
    const double seconds = 2 * 32 * beat + 2;
    std::vector<float> frames(static_cast<std::size_t>(seconds * kRate) * 2, 0.0f);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 32; ++i) {
            const double at = (round * 32 + i) * beat;
            addNote(frames, at, 1.2, noteHz(melody[i]), 0.35 + 0.3 * (i % 2));
            if (i % 4 == 0) addNote(frames, at, 2.0, noteHz(bass[i / 4]), 0.5);
        }
    }
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* file = sf_open(argv[1], SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "make-sample: %s\n", sf_strerror(nullptr));
        return 1;
    }
    sf_writef_float(file, frames.data(), static_cast<sf_count_t>(frames.size() / 2));
    sf_close(file);
    return 0;
}
