#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <vector>

#include "platform/audio/Bass.h"
#include "platform/clock/Clock.h"
#include "support/AudioFiles.h"
#include "support/TempDir.h"

namespace audiotest {

using namespace audio;

using testsupport::kMp3;
using testsupport::kOgg;
using testsupport::kWav;
using testsupport::tinyModule;
using testsupport::Tone;
using testsupport::writeTone;

// Every frame of a file as the engine's decoder reads it straight through, interleaved.
std::vector<float> decodeAll(const QString& path);

// A file the project ships in tests/data/audio.
QString dataFile(const QString& name);

// Bytes read from files so far, as the kernel counts them in the given io file
// (/proc/self/io for the process, /proc/thread-self/io for this thread); -1
// where it does not say.
qint64 bytesRead(const char* procIo);

double rms(const float* samples, std::size_t count);

// Chords and a fixed pseudo-random hiss, different on every channel, for the
// first `sounding` frames; silence after.
std::vector<float> testSignal(std::size_t frames, int channels, std::size_t sounding);

// How far an effect's eight-lane output is at most from its four-lane one, and
// how far the four-lane one is from the dry signal; a failure if any is not finite.
struct PathsApart {
    double worst = 0.0;
    double change = 0.0;
};
PathsApart comparePaths(const std::vector<float>& wide, const std::vector<float>& narrow,
                        const std::vector<float>& dry);

// A library on a manual clock (so on the clocked null output), initialised at
// 44.1 kHz; everything the output consumes is kept in `heard`.
class BassTest : public ::testing::Test {
  protected:
    BassTest();
    ~BassTest() override;

    // The path is handed over as UTF-16 with the Unicode flag, as the player does.
    HSTREAM openStream(const QString& path);
    HMUSIC openMusic(const QString& path, DWORD flags = BASS_MUSIC_RAMP | BASS_SAMPLE_FX);
    // Frames and bytes of the 16-bit stream for a handle of the given channel count.
    static QWORD bytes(std::uint64_t frames, int channels = 2) { return frames * 2 * channels; }
    // The latest played frames as float samples.
    std::vector<float> played(DWORD handle, std::size_t frames, int channels = 2);
    std::vector<float> spectrum(DWORD handle);
    void advance(std::int64_t ms) { clock.advance(ms); }

    testsupport::TempDir dir;
    ui::ManualClock clock;
    std::vector<float> heard;
    Bass bass;
};

}  // namespace audiotest
