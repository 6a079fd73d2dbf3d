#include "AudioTestSupport.h"

#include <QFile>
#include <algorithm>
#include <cmath>

#include "platform/audio/Decoder.h"

namespace audiotest {

std::vector<float> decodeAll(const QString& path) {
    const auto decoder = openSoundFile(path.toStdString());
    if (!decoder) return {};
    std::vector<float> samples(static_cast<std::size_t>(decoder->frames()) * decoder->channels());
    const std::size_t got = decoder->read(samples.data(), decoder->frames());
    samples.resize(got * decoder->channels());
    return samples;
}

QString dataFile(const QString& name) {
    return QString::fromLocal8Bit(qgetenv("PLENK_TEST_DATA")) + "/audio/" + name;
}

qint64 bytesRead(const char* procIo) {
    QFile io(procIo);
    if (!io.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:")) return line.mid(6).trimmed().toLongLong();
    return -1;
}

double rms(const float* samples, std::size_t count) {
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += double(samples[i]) * samples[i];
    return count ? std::sqrt(sum / count) : 0.0;
}

std::vector<float> testSignal(std::size_t frames, int channels, std::size_t sounding) {
    std::vector<float> signal(frames * channels);
    unsigned noise = 12345;
    for (std::size_t i = 0; i < std::min(frames, sounding) * channels; ++i) {
        noise = noise * 1103515245u + 12345u;
        const auto t = static_cast<float>(i / channels);
        const auto c = static_cast<float>(i % channels + 1);
        signal[i] = 0.3f * std::sin(t * 0.013f * c) + 0.2f * std::sin(t * 0.37f) +
                    0.1f * (static_cast<float>(noise >> 16) / 32768.0f - 1.0f);
    }
    return signal;
}

PathsApart comparePaths(const std::vector<float>& wide, const std::vector<float>& narrow,
                        const std::vector<float>& dry) {
    PathsApart apart;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (!std::isfinite(wide[i]) || !std::isfinite(narrow[i])) {
            ADD_FAILURE() << "not finite at " << i;
            return apart;
        }
        apart.worst = std::max(apart.worst, double(std::fabs(wide[i] - narrow[i])));
        apart.change = std::max(apart.change, double(std::fabs(narrow[i] - dry[i])));
    }
    return apart;
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
