#pragma once

#include <sndfile.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "platform/audio/Bass.h"

namespace audiobench {

// Music enough like music for a decoder: a chord whose notes change every half
// second, a bass line, and noise bursts on the beat, as 44.1 kHz stereo MPEG
// layer III; at libsndfile's default bitrate or a constant 320 kbit/s. Written once
// per run into a temporary folder.
inline std::string benchMusic(double seconds, bool highestBitrate = false) {
    static QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/music-" +
                             std::to_string(static_cast<int>(seconds)) +
                             (highestBitrate ? "-320" : "") + ".mp3";
    if (QFileInfo::exists(QString::fromStdString(path))) return path;
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return path;
    if (highestBitrate) {
        int mode = SF_BITRATE_MODE_CONSTANT;
        double level = 0.0;
        sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    constexpr double kRate = 44100.0;
    const double notes[] = {220.0, 261.6, 329.6, 392.0, 440.0, 523.3};
    std::uint32_t noise = 1;
    std::vector<float> block(2 * 44100);
    for (int second = 0; second < static_cast<int>(seconds); ++second) {
        for (int i = 0; i < 44100; ++i) {
            const double t = second + i / kRate;
            const int step = static_cast<int>(t * 2);
            double left = 0.0;
            double right = 0.0;
            for (int v = 0; v < 3; ++v) {
                const double hz = notes[(step + 2 * v) % 6];
                const double tone = std::sin(2 * std::numbers::pi * hz * t) +
                                    0.3 * std::sin(4 * std::numbers::pi * hz * t);
                left += (v == 2 ? 0.5 : 1.0) * 0.12 * tone;
                right += (v == 0 ? 0.5 : 1.0) * 0.12 * tone;
            }
            const double bass = 0.2 * std::sin(2 * std::numbers::pi * notes[step % 3] / 4 * t);
            noise = noise * 1664525u + 1013904223u;
            const double beat = std::exp(-std::fmod(t, 0.5) * 30.0);
            const double hiss = ((noise >> 8) / 8388608.0 - 1.0) * 0.15 * beat;
            block[2 * i] = static_cast<float>(left + bass + hiss);
            block[2 * i + 1] = static_cast<float>(right + bass - hiss);
        }
        sf_writef_float(file, block.data(), 44100);
    }
    sf_close(file);
    return path;
}

// The player's chain on a channel: ten bands (80 Hz to 15 kHz, 18 semitones) and a
// reverb; `active` gives every band a gain, otherwise they stay at 0 dB as with the
// equalizer off, where the reverb mix is -12 dB.
inline void addPlayerEffects(audio::Bass& bass, audio::DWORD channel, bool active) {
    const float centres[] = {80, 150, 300, 500, 750, 1000, 3000, 8000, 12000, 15000};
    const float gains[] = {4, -3, 2, -5, 3, -2, 6, -4, 2, 5};
    for (int i = 0; i < 10; ++i) {
        const audio::BASS_DX8_PARAMEQ band{centres[i], 18, active ? gains[i] : 0.0f};
        bass.BASS_FXSetParameters(bass.BASS_ChannelSetFX(channel, audio::BASS_FX_DX8_PARAMEQ, 0),
                                  &band);
    }
    const audio::BASS_DX8_REVERB reverb{0, active ? -6.0f : -12.0f, 1000, 0.001f};
    bass.BASS_FXSetParameters(bass.BASS_ChannelSetFX(channel, audio::BASS_FX_DX8_REVERB, 0),
                              &reverb);
}

// Initialises the library on the null output and opens the file with the
// player's effects on it.
inline audio::HSTREAM openWithEffects(audio::Bass& bass, const std::string& path, bool active) {
    bass.BASS_Init(-1, 44100, 0, 0, nullptr);
    const audio::HSTREAM stream =
        bass.BASS_StreamCreateFile(false, path.c_str(), 0, 0, audio::BASS_SAMPLE_FX);
    addPlayerEffects(bass, stream, active);
    return stream;
}

}  // namespace audiobench
