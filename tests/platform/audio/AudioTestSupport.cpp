#include "AudioTestSupport.h"

#include <sndfile.h>

#include <cmath>
#include <numbers>

// libsndfile 1.2.0 leaves the Vorbis header record behind when an Ogg file turns
// out to be broken; that is the library's leak, not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:vorbis_info_init\n";
}

namespace audiotest {

QString writeTone(const QString& path, int format, const Tone& tone) {
    SF_INFO info{};
    info.samplerate = tone.rate;
    info.channels = tone.channels;
    info.format = format;
    SNDFILE* file = sf_open(path.toUtf8().constData(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    if (!file) return path;
    const auto toneFrames = static_cast<std::size_t>(tone.seconds * tone.rate);
    const auto frames = toneFrames + static_cast<std::size_t>(tone.silenceAfter * tone.rate);
    std::vector<float> samples(frames * tone.channels, 0.0f);
    for (std::size_t i = 0; i < toneFrames; ++i) {
        const double v = tone.amplitude * std::sin(2 * std::numbers::pi * tone.hz * i / tone.rate);
        for (int c = 0; c < tone.channels; ++c)
            samples[i * tone.channels + c] = static_cast<float>(v);
    }
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
    return path;
}

std::vector<float> decodeAll(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.toUtf8().constData(), SFM_READ, &info);
    if (!file) return {};
    std::vector<float> samples(static_cast<std::size_t>(info.frames) * info.channels);
    const sf_count_t got = sf_readf_float(file, samples.data(), info.frames);
    samples.resize(static_cast<std::size_t>(got) * info.channels);
    sf_close(file);
    return samples;
}

namespace {

void putWord(QByteArray& bytes, int at, int value) {
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value & 0xFF);
}

void putCell(QByteArray& bytes, int at, int sample, int period, int effect, int parameter) {
    bytes[at] = static_cast<char>((sample & 0xF0) | (period >> 8));
    bytes[at + 1] = static_cast<char>(period & 0xFF);
    bytes[at + 2] = static_cast<char>(((sample & 0x0F) << 4) | effect);
    bytes[at + 3] = static_cast<char>(parameter);
}

}  // namespace

QByteArray tinyModule() {
    constexpr int kHeader = 20 + 31 * 30 + 2 + 128 + 4;
    constexpr int kPattern = 64 * 4 * 4;
    constexpr int kSampleBytes = 32;
    QByteArray bytes(kHeader + kPattern + kSampleBytes, '\0');
    bytes.replace(0, 4, "tiny");
    const int sample = 20;
    putWord(bytes, sample + 22, kSampleBytes / 2);  // length in words
    bytes[sample + 25] = 64;                        // volume
    putWord(bytes, sample + 28, kSampleBytes / 2);  // loop length in words
    bytes[20 + 31 * 30] = 1;                        // one order
    bytes[20 + 31 * 30 + 1] = 127;
    bytes.replace(kHeader - 4, 4, "M.K.");
    putCell(bytes, kHeader, 1, 428, 0, 0);             // row 0: the note
    putCell(bytes, kHeader + 15 * 16, 0, 0, 0x0D, 0);  // row 15: pattern break ends the song
    for (int i = 0; i < kSampleBytes; ++i)
        bytes[kHeader + kPattern + i] = static_cast<char>(i < kSampleBytes / 2 ? 100 : -100);
    return bytes;
}

QString dataFile(const QString& name) {
    return QString::fromLocal8Bit(qgetenv("PLENK_TEST_DATA")) + "/audio/" + name;
}

double rms(const float* samples, std::size_t count) {
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += double(samples[i]) * samples[i];
    return count ? std::sqrt(sum / count) : 0.0;
}

BassTest::BassTest()
    : bass(clock, BassOptions{OutputChoice::Automatic, [this](const float* stereo, std::size_t n) {
                                  heard.insert(heard.end(), stereo, stereo + 2 * n);
                              }}) {
    EXPECT_TRUE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
}

BassTest::~BassTest() = default;

HSTREAM BassTest::openStream(const QString& path) {
    return bass.BASS_StreamCreateFile(false, path.utf16(), 0, 0, BASS_SAMPLE_FX | BASS_UNICODE);
}

HMUSIC BassTest::openMusic(const QString& path, DWORD flags) {
    return bass.BASS_MusicLoad(false, path.utf16(), 0, 0, flags | BASS_UNICODE, 0);
}

std::vector<float> BassTest::played(DWORD handle, std::size_t frames, int channels) {
    std::vector<float> samples(frames * channels);
    const DWORD length = static_cast<DWORD>(samples.size() * sizeof(float)) | BASS_DATA_FLOAT;
    EXPECT_EQ(bass.BASS_ChannelGetData(handle, samples.data(), length),
              samples.size() * sizeof(float));
    return samples;
}

std::vector<float> BassTest::spectrum(DWORD handle) {
    std::vector<float> bins(1024);
    EXPECT_EQ(bass.BASS_ChannelGetData(handle, bins.data(), BASS_DATA_FFT2048), 4096u);
    return bins;
}

}  // namespace audiotest
