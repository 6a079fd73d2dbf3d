#include "support/Mp3Files.h"

#include <sndfile.h>

#include <QFile>

#include <cmath>
#include <vector>

namespace testsupport {

QString writeMp3(const QString& path, const Mp3Recipe& recipe) {
    SF_INFO info{};
    info.samplerate = recipe.sampleRate;
    info.channels = recipe.channels;
    info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!file) return {};
    int mode = recipe.variable ? SF_BITRATE_MODE_VARIABLE : SF_BITRATE_MODE_CONSTANT;
    double level = recipe.level;
    sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    const auto frames = static_cast<std::size_t>(recipe.seconds * recipe.sampleRate);
    std::vector<float> samples(frames * recipe.channels);
    unsigned noise = 12345;
    for (std::size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < recipe.channels; ++c) {
            noise = noise * 1103515245u + 12345u;
            const double t = static_cast<double>(i) / recipe.sampleRate;
            samples[i * recipe.channels + c] = static_cast<float>(
                0.3 * std::sin(2 * M_PI * 440.0 * (c + 1) * t) + 0.05 * ((noise >> 16) / 65536.0));
        }
    }
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
    return sf_close(file) == 0 ? path : QString();
}

QStringList writeTaggedMp3s(const QString& folder, int count) {
    const QString first = writeMp3(folder + "/source.mp3", Mp3Recipe{44100, 2, 0.3, 0.8, false});
    QFile source(first);
    if (first.isEmpty() || !source.open(QIODevice::ReadOnly)) return {};
    const QByteArray audio = source.readAll();
    auto field = [](const QString& text, int width) {
        return text.toLatin1().leftJustified(width, '\0', true);
    };
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = QString("%1/%2 - song %3.mp3").arg(folder).arg(i % 97).arg(i);
        const QByteArray tag = "TAG" + field(QString("Title %1").arg(i), 30) +
                               field(QString("Artist %1").arg(i % 97), 30) + field("Album", 30) +
                               field("2024", 4) + field("", 30) + char(i % 148);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(audio + tag) != audio.size() + 128)
            return {};
        paths << path;
    }
    return paths;
}

}  // namespace testsupport
