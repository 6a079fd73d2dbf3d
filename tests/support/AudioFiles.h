#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

struct Tone {
    int rate = 44100;
    int channels = 2;
    double seconds = 1.0;
    double hz = 1000.0;
    double amplitude = 0.5;
    double silenceAfter = 0.0;       // seconds of silence after the tone
    double secondChannelGain = 1.0;  // the second channel is the first times this
    int onlyChannel = -1;            // where set, the tone is on this channel alone
};

// Writes a sine tone with libsndfile in the given SF_FORMAT_* major and subtype.
QString writeTone(const QString& path, int format, const Tone& tone);
inline constexpr int kWav = 0x010002;  // SF_FORMAT_WAV | SF_FORMAT_PCM_16
inline constexpr int kMp3 = 0x230082;  // SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III
inline constexpr int kOgg = 0x200060;  // SF_FORMAT_OGG | SF_FORMAT_VORBIS

// A silent 44.1 kHz stereo 16-bit WAV of the given length, written as a
// sparse file: hours of audio take no room on the disk.
QString writeLongSilence(const QString& path, double seconds);

// A four-channel module: one looping note, sixteen rows long; its sample a
// square wave, or the bytes given.
QByteArray tinyModule(const QByteArray& sample = {});

}  // namespace testsupport
