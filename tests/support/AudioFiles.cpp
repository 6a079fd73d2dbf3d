#include "support/AudioFiles.h"

#include <sndfile.h>

#include <QFile>
#include <cstdint>

#include <cmath>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

namespace testsupport {

namespace {

void putLe(QByteArray& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

QString writeLongSilence(const QString& path, double seconds) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(seconds * 44100) * 4;
    QByteArray header("RIFF");
    putLe(header, 36 + dataBytes, 4);
    header.append("WAVEfmt ");
    putLe(header, 16, 4);
    putLe(header, 1, 2);  // PCM
    putLe(header, 2, 2);
    putLe(header, 44100, 4);
    putLe(header, 44100 * 4, 4);
    putLe(header, 4, 2);
    putLe(header, 16, 2);
    header.append("data");
    putLe(header, dataBytes, 4);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(header);
    EXPECT_TRUE(file.resize(header.size() + qint64(dataBytes)));
    return path;
}

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
        for (int c = 0; c < tone.channels; ++c) {
            const bool sounding = tone.onlyChannel < 0 || c == tone.onlyChannel;
            samples[i * tone.channels + c] =
                sounding ? static_cast<float>(c == 1 ? v * tone.secondChannelGain : v) : 0.0f;
        }
    }
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
    return path;
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

QByteArray tinyModule(const QByteArray& sample) {
    constexpr int kHeader = 20 + 31 * 30 + 2 + 128 + 4;
    constexpr int kPattern = 64 * 4 * 4;
    QByteArray square(32, '\0');
    for (int i = 0; i < square.size(); ++i)
        square[i] = static_cast<char>(i < square.size() / 2 ? 100 : -100);
    const QByteArray data = (sample.isEmpty() ? square : sample).left(0x1FFFE);
    QByteArray bytes(kHeader + kPattern, '\0');
    bytes.replace(0, 4, "tiny");
    const int header = 20;
    putWord(bytes, header + 22, static_cast<int>(data.size() / 2));  // length in words
    bytes[header + 25] = 64;                                         // volume
    putWord(bytes, header + 28, static_cast<int>(data.size() / 2));  // loop length in words
    bytes[20 + 31 * 30] = 1;                                         // one order
    bytes[20 + 31 * 30 + 1] = 127;
    bytes.replace(kHeader - 4, 4, "M.K.");
    putCell(bytes, kHeader, 1, 428, 0, 0);             // row 0: the note
    putCell(bytes, kHeader + 15 * 16, 0, 0, 0x0D, 0);  // row 15: pattern break ends the song
    return bytes + data;
}

}  // namespace testsupport
